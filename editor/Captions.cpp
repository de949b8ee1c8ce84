#include "editor/Captions.h"

#include <algorithm>

namespace Captions {

const std::array<Language, 3>& Languages() {
    static const std::array<Language, 3> languages = {{
        {QStringLiteral("Tr"),
         {QStringLiteral("Yeni"), QStringLiteral("BMP Yükle"), QStringLiteral("BMP Kayıt"),
          QStringLiteral("BMP > EPA"), QStringLiteral("EPA Yükle"), QStringLiteral("EPA Kayıt"),
          QStringLiteral("Hakkında"), QStringLiteral("Yardım"), QStringLiteral("Çıkış"),
          QStringLiteral("Piksel"), QStringLiteral("Karakter"), QStringLiteral("Yeni"),
          QStringLiteral("Adsız")}},
        {QStringLiteral("En"),
         {QStringLiteral("New"), QStringLiteral("Load BMP"), QStringLiteral("Save BMP"),
          QStringLiteral("BMP > EPA"), QStringLiteral("Load EPA"), QStringLiteral("Save EPA"),
          QStringLiteral("About..."), QStringLiteral("Help"), QStringLiteral("Exit"),
          QStringLiteral("Pixel"), QStringLiteral("Character"), QStringLiteral("New"),
          QStringLiteral("noname")}},
        {QStringLiteral("De"),
         {QStringLiteral("Neu"), QStringLiteral("BMP Laden"), QStringLiteral("BMP Speichern"),
          QStringLiteral("BMP > EPA"), QStringLiteral("EPA Laden"), QStringLiteral("EPA Speichern"),
          QStringLiteral("İnfo"), QStringLiteral("Hilfe"), QStringLiteral("Ende"),
          QStringLiteral("Pixel"), QStringLiteral("Charakter"), QStringLiteral("Neu"),
          QStringLiteral("Namelos")}},
    }};
    return languages;
}

QString InLanguage(const QString& text, int index, const QString& code) {
    const auto& languages = Languages();
    const auto named = [&](const Language& language) { return language.code == code; };
    const auto untitled = [&](const Language& language) { return language.texts[index] == text; };
    const auto target = std::find_if(languages.begin(), languages.end(), named);
    if (target == languages.end() || std::none_of(languages.begin(), languages.end(), untitled))
        return text;
    return target->texts[index];
}

} // namespace Captions
