#ifndef VARNEL_CONTROLS_TEXT3D_H
#define VARNEL_CONTROLS_TEXT3D_H

#include "runtime/Color.h"

#include <QRect>
#include <QString>

class TCanvas;

// The side the light comes from, for text drawn with a lit and a shaded copy.
enum TLightPos {
    lpLeft,
    lpRight,
    lpTop,
    lpBottom,
    lpLeftTop,
    lpLeftBottom,
    lpRightTop,
    lpRightBottom
};

// The light from the other side: what a pressed button shows.
TLightPos OppositeLight(TLightPos light);

// How the three copies of a 3-D text look.
struct TText3DLook {
    TLightPos light = lpLeftTop;
    int depth = 1;
    TColor lightColor = clWhite;
    TColor shadowColor = clGray;
    TColor textColor = clBlack;
};

// Draws `text` into `rect` (shrunk by the depth on every side) three times, each copy clipped to
// its own rectangle: lit, moved the depth towards the light; shaded, moved as far away from it;
// then the text itself. `flags` are the Qt alignment and text flags (Qt::TextWordWrap,
// Qt::TextShowMnemonic for the "&" prefix, Qt::TextExpandTabs). With `measureOnly` nothing is
// drawn; either way the result is the rectangle the three copies of the text take, which
// measured from an ample `rect` is the size the text needs.
QRect DrawText3D(TCanvas& canvas, const QString& text, const QRect& rect, int flags,
                 const TText3DLook& look, bool measureOnly = false);

#endif
