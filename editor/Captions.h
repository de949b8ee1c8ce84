#ifndef VARNEL_EDITOR_CAPTIONS_H
#define VARNEL_EDITOR_CAPTIONS_H

#include <QString>
#include <array>

// The window's texts in each of its three languages. A language is named by the first two
// letters of its entry in the language list ("Tr", "En", "De"); the texts go to these controls,
// in this order: the nine text buttons (New, Load BMP, Save BMP, BMP > EPA, Load EPA, Save EPA,
// About, Help, Exit), the pixel and character headings, the picture name and the logo name.
namespace Captions {

inline constexpr int Count = 13;
// Where the picture name and the logo name stand among the texts.
inline constexpr int PictureName = 11;
inline constexpr int LogoName = 12;
using Column = std::array<QString, Count>;

struct Language {
    QString code;
    Column texts;
};

// Turkish, English, German: the order the language list offers them.
const std::array<Language, 3>& Languages();

// `text`, once shown by text `index` (PictureName, LogoName), as that control shows it in the
// language `code`: "no name yet" follows the language, a file's name stays as it is.
QString InLanguage(const QString& text, int index, const QString& code);

} // namespace Captions

#endif
