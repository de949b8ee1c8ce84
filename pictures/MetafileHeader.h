#ifndef VARNEL_PICTURES_METAFILEHEADER_H
#define VARNEL_PICTURES_METAFILEHEADER_H

#include "runtime/InvalidGraphic.h"

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <cmath>

// What a metafile's header says about the picture, checked when the file is read.
struct TMetafileHeader {
    bool enhanced = false;
    // The picture's size in pixels at 96 per inch.
    QSize size;
    // The part of the drawing the picture shows, in the units of the device it was made for.
    QRectF frame;
    // That device's resolution.
    QPointF pixelsPerMm;
    // How many objects the file's object table holds at most.
    int objects = 0;
};

[[noreturn]] inline void ThrowInvalidMetafile() {
    throw EInvalidGraphic(QStringLiteral("Metafile is not valid"));
}

// The size in pixels at 96 per inch of a picture of the given size in inches. A picture that
// would be empty, or larger than anything a screen or the logo could use, is not valid: its
// header is wrong.
inline QSize MetafilePixels(double widthInches, double heightInches) {
    constexpr double kMaxSide = 16384;
    const double width = std::round(widthInches * 96);
    const double height = std::round(heightInches * 96);
    if (!(width >= 1 && width <= kMaxSide && height >= 1 && height <= kMaxSide))
        ThrowInvalidMetafile();
    return QSize(int(width), int(height));
}

#endif
