#ifndef VARNEL_LOGO_IMPORTOPTIONS_H
#define VARNEL_LOGO_IMPORTOPTIONS_H

#include "logo/LogoGeometry.h"

#include <QSize>

// How a picture's pixels become lit or unlit: any pixel that is not black (the conversion's own
// rule), a luminance at or above a level, or at or above the level Otsu's method finds.
enum class TThreshold { NonBlack, Level, Otsu };
enum class TDither { None, FloydSteinberg, Bayer };
// Cell colours chosen from the picture: none (every cell gets one attribute), the best
// foreground on black, or the best foreground and background.
enum class TAutoColour { Off, Foreground, ForegroundAndBackground };

// What turning a picture into a logo may be told.
struct TImportOptions {
    TThreshold threshold = TThreshold::NonBlack;
    // The level a pixel's luminance must reach to be lit, 0..255; dithering without a level of
    // its own diffuses around it too.
    int level = 128;
    TDither dither = TDither::None;
    // Dark pixels of the picture are lit instead of bright ones.
    bool invert = false;
    // The whole picture scaled into the logo, its proportions kept, centred on black; else its
    // top-left part at its own size.
    bool fit = false;
    TAutoColour autoColour = TAutoColour::Off;
    // Every cell's attribute when the colours are not chosen from the picture.
    int attribute = 15;
    QSize cells{LogoGeometry::Columns, LogoGeometry::Rows};
};

#endif
