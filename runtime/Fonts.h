#ifndef VARNEL_RUNTIME_FONTS_H
#define VARNEL_RUNTIME_FONTS_H

#include <QFont>
#include <QString>

enum TFontStyle : unsigned { fsBold = 1, fsUnderline = 2 };

// The window's fonts are named after faces this platform does not have; each is mapped to an
// installed free face of like shape. Safe to call more than once.
void InstallFontSubstitutes();

// A font as the window uses it: a face name, a height in pixels and a set of TFontStyle
// flags. Text in it is drawn without antialiasing, so that it keeps its crisp classic look,
// every text pixel is in the text's colour and it measures the same wherever it is drawn. Its
// outlines are fully hinted, so stems and advances fall on whole pixels and letters keep apart
// ("rn" does not read "m").
QFont MakeFont(const QString& name, int pixelHeight, unsigned styles = 0);
// The same face and height, hinted as the platform chooses, for text a picture places itself
// letter by letter (a metafile's), so that the picture looks as it did.
QFont MakePictureFont(const QString& name, int pixelHeight);

#endif
