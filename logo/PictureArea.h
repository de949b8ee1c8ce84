#ifndef VARNEL_LOGO_PICTUREAREA_H
#define VARNEL_LOGO_PICTUREAREA_H

#include "runtime/Bitmap.h"

#include <QRect>
#include <QSize>

class TGraphic;

// A picture laid into the logo: the editor's 136 × 126 true-colour area, black wherever the
// picture is not, and where in it the picture lies.
struct TPictureArea {
    TBitmap pixels;
    QRect picture;
};

// The picture in the top-left `cells` of the logo: scaled to fit them with its proportions kept
// and centred when `fit` is set, else its own top-left part at its own size. Cells beyond `cells`
// stay black.
TPictureArea PictureArea(TGraphic& picture, QSize cells, bool fit);

#endif
