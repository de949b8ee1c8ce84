#include "runtime/Fonts.h"

#include <QStringList>
#include <mutex>

void InstallFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

QFont MakeFont(const QString& name, int pixelHeight, unsigned styles) {
    static std::once_flag installed;
    std::call_once(installed, InstallFontSubstitutes);
    QFont font(name);
    font.setPixelSize(pixelHeight);
    font.setBold(styles & fsBold);
    font.setUnderline(styles & fsUnderline);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}
