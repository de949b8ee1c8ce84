#include "runtime/Shell.h"
#include "runtime/Fonts.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

TEST(Shell, OpensWebAddressesAsTheyAreAndBareMailAddressesAsMail) {
    QList<QUrl> opened;
    TShell::SetOpener([&](const QUrl& url) { opened.append(url); });
    TShell::Open(QStringLiteral("http://www.varnel.example/logo"));
    TShell::Open(QStringLiteral("varnel@mail.example"));
    TShell::SetOpener({});
    EXPECT_EQ(opened, (QList<QUrl>{QUrl("http://www.varnel.example/logo"),
                                   QUrl("mailto:varnel@mail.example")}));
}

TEST(Fonts, TheWindowsFontNamesResolveToInstalledFaces) {
    const QFontInfo sans(MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold | fsUnderline));
    EXPECT_EQ(sans.family(), "Liberation Sans");
    EXPECT_EQ(sans.pixelSize(), 11);
    EXPECT_TRUE(sans.bold() && sans.underline());
    EXPECT_EQ(QFontInfo(MakeFont(QStringLiteral("Times New Roman"), 13)).family(),
              "Liberation Serif");
}

} // namespace
