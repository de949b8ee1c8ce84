#ifndef VARNEL_RUNTIME_CANVAS_H
#define VARNEL_RUNTIME_CANVAS_H

#include "runtime/Color.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>

class QPainter;
class TGraphic;

// Drawing on an image, the classic way: single pixels, a pen with a position, and pictures
// drawn into rectangles. The image may be indexed (1, 4 or 8 bits): a pixel written there
// takes the nearest palette entry, and painter work goes through an RGB copy mapped back.
class TCanvas {
public:
    explicit TCanvas(QImage& image) : image_(&image) {}

    // The colour at (x, y), or clInvalid outside the image.
    TColor Pixel(int x, int y) const;
    // Outside the image nothing happens: lines and shapes are clipped.
    void SetPixel(int x, int y, TColor color);

    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor color) { penColor_ = color; }
    QPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
    // A one-pixel line from the pen position to (x, y), which becomes the pen position.
    // The last point is not painted, so that joined lines paint every joint once.
    void LineTo(int x, int y);

    // Copies `source` stretched into `dest`; pixels of `transparent` (unless clNone) are
    // left as they were.
    void DrawImage(const QRect& dest, const QImage& source, TColor transparent = clNone);
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const QRect& dest, TGraphic& graphic);

    // Runs painter work on the image, through an RGB copy when the image is indexed.
    void Paint(const std::function<void(QPainter&)>& work);

    QImage& Image() { return *image_; }
    const QImage& Image() const { return *image_; }
    int Width() const { return image_->width(); }
    int Height() const { return image_->height(); }

    // The palette entry nearest to `color` (smallest squared RGB distance, first wins).
    static int NearestIndex(const QList<QRgb>& palette, QRgb color);

private:
    QImage* image_;
    TColor penColor_ = clBlack;
    QPoint penPos_;
};

#endif
