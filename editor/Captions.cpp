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
          .logoName = QStringLiteral("Adsız")},
         {.drawingBox = QStringLiteral("Çizim kutusu"),
          .previewBox = QStringLiteral("Önizleme"),
          .colourGrid = QStringLiteral("Renk paleti"),
          .languageList = QStringLiteral("Dil"),
          .progress = QStringLiteral("İlerleme"),
          .animation = QStringLiteral("Animasyon"),
          .colours = {QStringLiteral("Siyah"), QStringLiteral("Bordo"), QStringLiteral("Yeşil"),
                      QStringLiteral("Zeytin yeşili"), QStringLiteral("Lacivert"),
                      QStringLiteral("Mor"), QStringLiteral("Camgöbeği koyu"),
                      QStringLiteral("Gümüş"), QStringLiteral("Gri"), QStringLiteral("Kırmızı"),
                      QStringLiteral("Açık yeşil"), QStringLiteral("Sarı"), QStringLiteral("Mavi"),
                      QStringLiteral("Eflatun"), QStringLiteral("Camgöbeği"),
                      QStringLiteral("Beyaz")}}},
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
          .logoName = QStringLiteral("noname")},
         {.drawingBox = QStringLiteral("Drawing box"),
          .previewBox = QStringLiteral("Preview"),
          .colourGrid = QStringLiteral("Colour palette"),
          .languageList = QStringLiteral("Language"),
          .progress = QStringLiteral("Progress"),
          .animation = QStringLiteral("Animation"),
          .colours = {QStringLiteral("Black"), QStringLiteral("Maroon"), QStringLiteral("Green"),
                      QStringLiteral("Olive"), QStringLiteral("Navy"), QStringLiteral("Purple"),
                      QStringLiteral("Teal"), QStringLiteral("Silver"), QStringLiteral("Grey"),
                      QStringLiteral("Red"), QStringLiteral("Lime"), QStringLiteral("Yellow"),
                      QStringLiteral("Blue"), QStringLiteral("Fuchsia"), QStringLiteral("Aqua"),
                      QStringLiteral("White")}}},
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
          .logoName = QStringLiteral("Namelos")},
         {.drawingBox = QStringLiteral("Zeichenfeld"),
          .previewBox = QStringLiteral("Vorschau"),
          .colourGrid = QStringLiteral("Farbpalette"),
          .languageList = QStringLiteral("Sprache"),
          .progress = QStringLiteral("Fortschritt"),
          .animation = QStringLiteral("Animation"),
          .colours = {QStringLiteral("Schwarz"), QStringLiteral("Dunkelrot"),
                      QStringLiteral("Grün"), QStringLiteral("Oliv"), QStringLiteral("Marineblau"),
                      QStringLiteral("Violett"), QStringLiteral("Blaugrün"),
                      QStringLiteral("Silber"), QStringLiteral("Grau"), QStringLiteral("Rot"),
                      QStringLiteral("Hellgrün"), QStringLiteral("Gelb"), QStringLiteral("Blau"),
                      QStringLiteral("Magenta"), QStringLiteral("Cyan"), QStringLiteral("Weiß")}}},
    }};
    return languages;
}

const Language* Named(const QString& code) {
    for (const Language& language : Languages())
        if (language.code == code)
            return &language;
    return nullptr;
}

QString InLanguage(const QString& text, Text which, const QString& code) {
    const auto& languages = Languages();
    const auto untitled = [&](const Language& language) { return language.texts.*which == text; };
    const Language* target = Named(code);
    if (!target || std::none_of(languages.begin(), languages.end(), untitled))
        return text;
    return target->texts.*which;
}

} // namespace Captions
