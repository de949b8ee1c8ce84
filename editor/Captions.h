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
using Column = std::array<QString, Count>;

struct Language {
    QString code;
    Column texts;
};

// Turkish, English, German: the order the language list offers them.
const std::array<Language, 3>& Languages();

} // namespace Captions

#endif
