#ifndef VARNEL_PICTURES_GDIOBJECTS_H
#define VARNEL_PICTURES_GDIOBJECTS_H

#include "runtime/Color.h"

#include <QImage>
#include <QString>
#include <variant>

// The drawing objects a metafile creates, selects and deletes, with the values a metafile gives
// them (styles and flags as the Windows graphics interface numbers them).

struct TLogPen {
    enum : quint32 { Solid = 0, Dash, Dot, DashDot, DashDotDot, Null, InsideFrame, UserStyle };
    quint32 style = Solid; // low 4 bits the line style; end cap and join in the higher bits
    double width = 0;      // logical units; 0 draws one pixel wide
    TColor color = clBlack;
};

struct TLogBrush {
    enum : quint32 {
        Solid = 0,
        Null = 1,
        Hatched = 2,
        Pattern = 3,
        DibPattern = 5,
        DibPatternPt = 6
    };
    quint32 style = Solid;
    TColor color = clWhite;
    quint32 hatch = 0;
    QImage pattern; // for the pattern styles
};

struct TLogFont {
    double height = 0;     // logical units: < 0 the character height, > 0 the cell height
    double escapement = 0; // tenths of a degree, anticlockwise
    int weight = 0;        // 0 normal, else 1..1000 (400 normal, 700 bold)
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0;
    QString faceName;
};

// Palettes and regions take a place in the object table but draw nothing here.
struct TOtherObject {};

using TGdiObject = std::variant<TLogPen, TLogBrush, TLogFont, TOtherObject>;

#endif
