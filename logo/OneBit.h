#ifndef VARNEL_LOGO_ONEBIT_H
#define VARNEL_LOGO_ONEBIT_H

#include "logo/ImportOptions.h"
#include "runtime/Color.h"

class TBitmap;
struct TPictureArea;

// The picture in `area` as the editor's drawing (137 × 127 pixels, 1 bit, lit pixels white),
// lit as the threshold, dithering and inversion in `options` say. Only the picture's own pixels
// are ever lit and counted for Otsu's level: the black around a fitted picture is no part of it.
TBitmap OneBitDrawing(const TPictureArea& area, const TImportOptions& options);

// A colour's luminance, 0..255 (Rec. 601 weights).
int Luminance(TColor color);

#endif
