#ifndef VARNEL_PICTURES_GDISTATE_H
#define VARNEL_PICTURES_GDISTATE_H

#include "pictures/GdiObjects.h"

#include <QPointF>
#include <QRegion>
#include <QTransform>
#include <optional>

// Everything a metafile's save and restore records keep: the selected objects, the colours and
// modes, the mapping from logical units to the device, the current position and the clip.
struct TGdiState {
    enum TMapMode {
        mmText = 1,
        mmLoMetric,
        mmHiMetric,
        mmLoEnglish,
        mmHiEnglish,
        mmTwips,
        mmIsotropic,
        mmAnisotropic
    };
    enum TBkMode { bmTransparent = 1, bmOpaque = 2 };
    enum TPolyFillMode { pfAlternate = 1, pfWinding = 2 };
    // Text alignment flags; the horizontal ones are a field (left 0, right 2, centre 6).
    enum TTextAlign : quint32 {
        taUpdateCP = 1,
        taRight = 2,
        taCenter = 6,
        taBottom = 8,
        taBaseline = 24
    };

    TLogPen pen;
    TLogBrush brush;
    TLogFont font;
    TColor textColor = clBlack;
    TColor bkColor = clWhite;
    int bkMode = bmOpaque;
    int polyFillMode = pfAlternate;
    int rop2 = 13; // copy the pen
    quint32 textAlign = 0;
    bool clockwise = false;

    int mapMode = mmText;
    QPointF windowOrg{0, 0};
    QPointF windowExt{1, 1};
    QPointF viewportOrg{0, 0};
    QPointF viewportExt{1, 1};
    QTransform world;

    QPointF position;
    // In target pixels; none: only the target rectangle clips.
    std::optional<QRegion> clip;
};

#endif
