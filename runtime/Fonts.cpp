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

QFont MakePictureFont(const QString& name, int pixelHeight) {
    static std::once_flag installed;
    std::call_once(installed, InstallFontSubstitutes);
    QFont font(name);
    font.setPixelSize(pixelHeight);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QFont MakeFont(const QString& name, int pixelHeight, unsigned styles) {
    QFont font = MakePictureFont(name, pixelHeight);
    font.setBold(styles & fsBold);
    font.setUnderline(styles & fsUnderline);
    // Unhinted, letters land on fractional places and their stems merge when rounded to pixels.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
