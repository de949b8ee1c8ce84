#include "editor/Captions.h"

#include <algorithm>

namespace Captions {

const std::array<Language, 3>& Languages() {
    static const std::array<Language, 3> languages = {{
        {QStringLiteral("Tr"),
         {.newButton = QStringLiteral("Yeni"),
          .loadPicture = QStringLiteral("BMP Yükle"),
          .savePicture = QStringLiteral("BMP Kayıt"),
          .convert = QStringLiteral("BMP > EPA"),
          .loadLogo = QStringLiteral("EPA Yükle"),
          .saveLogo = QStringLiteral("EPA Kayıt"),
          .about = QStringLiteral("Hakkında"),
          .help = QStringLiteral("Yardım"),
          .exit = QStringLiteral("Çıkış"),
          .pixelHeading = QStringLiteral("Piksel"),
          .characterHeading = QStringLiteral("Karakter"),
          .pictureName = QStringLiteral("Yeni"),
          .logoName = QStringLiteral("Adsız")}},
        {QStringLiteral("En"),
         {.newButton = QStringLiteral("New"),
          .loadPicture = QStringLiteral("Load BMP"),
          .savePicture = QStringLiteral("Save BMP"),
          .convert = QStringLiteral("BMP > EPA"),
          .loadLogo = QStringLiteral("Load EPA"),
          .saveLogo = QStringLiteral("Save EPA"),
          .about = QStringLiteral("About..."),
          .help = QStringLiteral("Help"),
          .exit = QStringLiteral("Exit"),
          .pixelHeading = QStringLiteral("Pixel"),
          .characterHeading = QStringLiteral("Character"),
          .pictureName = QStringLiteral("New"),
          .logoName = QStringLiteral("noname")}},
        {QStringLiteral("De"),
         {.newButton = QStringLiteral("Neu"),
          .loadPicture = QStringLiteral("BMP Laden"),
          .savePicture = QStringLiteral("BMP Speichern"),
          .convert = QStringLiteral("BMP > EPA"),
          .loadLogo = QStringLiteral("EPA Laden"),
          .saveLogo = QStringLiteral("EPA Speichern"),
          .about = QStringLiteral("İnfo"),
          .help = QStringLiteral("Hilfe"),
          .exit = QStringLiteral("Ende"),
          .pixelHeading = QStringLiteral("Pixel"),
          .characterHeading = QStringLiteral("Charakter"),
          .pictureName = QStringLiteral("Neu"),
          .logoName = QStringLiteral("Namelos")}},
    }};
    return languages;
}

QString InLanguage(const QString& text, Text which, const QString& code) {
    const auto& languages = Languages();
    const auto named = [&](const Language& language) { return language.code == code; };
    const auto untitled = [&](const Language& language) { return language.texts.*which == text; };
    const auto target = std::find_if(languages.begin(), languages.end(), named);
    if (target == languages.end() || std::none_of(languages.begin(), languages.end(), untitled))
        return text;
    return target->texts.*which;
}

} // namespace Captions
