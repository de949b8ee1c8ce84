#ifndef VARNEL_CONTROLS_DIALOGLANGUAGE_H
#define VARNEL_CONTROLS_DIALOGLANGUAGE_H

#include <array>

// The languages of the dialogs' built-in titles and button captions, in the order the button
// kinds' language variants follow.
enum TDialogLanguage : unsigned char {
    dlEnglish,
    dlRussian,
    dlUkranian,
    dlFrench,
    dlPortuguese,
    dlSpanish,
    dlGerman,
    dlDanish
};

inline constexpr int DialogLanguageCount = 8;

// A text in each language, by TDialogLanguage.
using TDialogLanguageTexts = std::array<const char*, DialogLanguageCount>;

#endif
