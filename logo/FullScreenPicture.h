#ifndef VARNEL_LOGO_FULLSCREENPICTURE_H
#define VARNEL_LOGO_FULLSCREENPICTURE_H

#include "runtime/RgbRows.h"

#include <QImage>
#include <QRect>
#include <QSize>

class TGraphic;

// The pixels of a picture of any kind, in true colour on black: at its own size when `size` is
// not valid, else scaled to fit `size` with its proportions kept and centred. Bitmaps are scaled
// smoothly, so that a photo keeps its look; other kinds draw themselves at the size.
QImage FullScreenPicture(TGraphic& picture, QSize size = {});
// Where a picture of size `own` lies in `size` when scaled to fit it: proportions kept, centred,
// at least one pixel.
QRect FittedPlace(QSize own, QSize size);
// The rows of an RGB32 image, which it keeps while they are read.
TRgbRows RgbRowsOf(const QImage& rgb32);

#endif
