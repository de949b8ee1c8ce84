#ifndef VARNEL_LOGO_CONVERSION_H
#define VARNEL_LOGO_CONVERSION_H

#include "runtime/Color.h"

#include <QDir>
#include <functional>

class TBitmap;
class TGraphic;

using ProgressStep = std::function<void()>;

// Turns the top-left 136 × 126 pixels of the drawing into the logo's character form: writes
// the bit rows to "bin.dat", redraws them cell by cell on the preview (white lit, black unlit,
// grid lines untouched), writes the byte rows to "bin1.dat" and deletes "bin.dat". A pixel is
// lit when it lies inside the drawing and is not black. `step` runs once per bit row redrawn.
// Working-file failures raise EInOutError.
// Whether a drawing pixel read as `color` is lit: not black, and inside the drawing (a position
// the drawing does not cover reads as clInvalid, and the user sees no picture there).
inline bool IsLit(TColor color) {
    return color != clBlack && color != clInvalid;
}

// The logo area of a picture of any kind: the picture drawn at the top-left of a black
// 136 × 126 bitmap, whose pixels can then be read whatever the picture's kind, depth or size.
TBitmap LogoArea(TGraphic& picture);
// The logo area as a 1-bit bitmap (black, white): lit pixels white, all others black.
TBitmap BlackAndWhiteLogo(TGraphic& picture);

void ConvertDrawing(const TBitmap& drawing, TBitmap& preview, const QDir& dir,
                    const ProgressStep& step);

#endif
