#include "runtime/Shell.h"
#include "runtime/Fonts.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

TEST(Shell, OpensWebAddressesAsTheyAreAndMailAddressesAsMail) {
    QList<QUrl> opened;
    TShell::SetOpener([&](const QUrl& url) { opened.append(url); });
    TShell::Open(QStringLiteral("http://www.varnel.example/logo"));
    TShell::Open(QStringLiteral("varnel@mail.example"));
    TShell::Open(QStringLiteral("mailto:varnel@mail.example"));
    TShell::SetOpener({});

    EXPECT_EQ(opened, (QList<QUrl>{QUrl("http://www.varnel.example/logo"),
                                   QUrl("mailto:varnel@mail.example"),
                                   QUrl("mailto:varnel@mail.example")}));
}

TEST(Fonts, TheWindowsFontNamesResolveToInstalledFaces) {
    const QFont sans = MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold | fsUnderline);
    const QFontInfo info(sans);
    EXPECT_EQ(info.family(), "Liberation Sans");
    EXPECT_EQ(info.pixelSize(), 11);
    EXPECT_TRUE(info.bold());
    EXPECT_TRUE(info.underline());
    EXPECT_EQ(sans.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
    EXPECT_EQ(QFontInfo(MakeFont(QStringLiteral("Times New Roman"), 13)).family(),
              "Liberation Serif");
}

} // namespace
