#ifndef VARNEL_EDITOR_CAPTIONS_H
#define VARNEL_EDITOR_CAPTIONS_H

#include <QString>
#include <array>

// The window's texts in each of its three languages. A language is named by the first two
// letters of its entry in the language list ("Tr", "En", "De").
namespace Captions {

// One language's texts, a field a control: the nine text buttons, the pixel and character
// headings, the picture name and the logo name.
struct Column {
    QString newButton;
    QString loadPicture;
    QString savePicture;
    QString convert;
    QString loadLogo;
    QString saveLogo;
    QString about;
    QString help;
    QString exit;
    QString pixelHeading;
    QString characterHeading;
    QString pictureName;
    QString logoName;
};

// The names a screen reader gives the controls that show no caption, and the grid's sixteen
// colours in grid order.
struct Spoken {
    QString drawingBox;
    QString previewBox;
    QString colourGrid;
    QString languageList;
    QString progress;
    QString animation;
    std::array<QString, 16> colours;
};

// Which text of a column: &Column::pictureName, say.
using Text = QString Column::*;

struct Language {
    QString code;
    Column texts;
    Spoken spoken;
};

// Turkish, English, German: the order the language list offers them.
const std::array<Language, 3>& Languages();

// The language `code`; none for a code of no language.
const Language* Named(const QString& code);

// `text`, once shown as `which` (&Column::pictureName, &Column::logoName), as that control shows
// it in the language `code`: "no name yet" follows the language, a file's name stays as it is.
QString InLanguage(const QString& text, Text which, const QString& code);

} // namespace Captions

#endif
