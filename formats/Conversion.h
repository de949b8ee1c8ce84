#ifndef VARNEL_FORMATS_CONVERSION_H
#define VARNEL_FORMATS_CONVERSION_H

#include <QDir>
#include <functional>

class TBitmap;

using ProgressStep = std::function<void()>;

// Turns the top-left 136 × 126 pixels of the drawing into the logo's character form: writes
// the bit rows to "bin.dat", redraws them cell by cell on the preview (white lit, black unlit,
// grid lines untouched), writes the byte rows to "bin1.dat" and deletes "bin.dat". A pixel is
// lit when it lies inside the drawing and is not black. `step` runs once per bit row redrawn.
// Working-file failures raise EInOutError.
void ConvertDrawing(const TBitmap& drawing, TBitmap& preview, const QDir& dir,
                    const ProgressStep& step);

#endif
