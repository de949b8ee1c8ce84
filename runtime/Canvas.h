#ifndef VARNEL_RUNTIME_CANVAS_H
#define VARNEL_RUNTIME_CANVAS_H

#include "runtime/Color.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <span>

class QPainter;
class TGraphic;

// Drawing on an image, the classic way: single pixels, a pen with a position, and pictures
// drawn into rectangles. The image may be indexed (1, 4 or 8 bits): a pixel written there
// takes the nearest palette entry, and painter work goes through an RGB copy mapped back.
//
// An image with a device pixel ratio (a control's paint buffer on a high-density screen) holds
// that many device pixels for each of the canvas's pixels: every operation here still takes the
// canvas's own coordinates, a pixel covers the whole device pixels between its rounded edges,
// and text is drawn at the device's resolution.
class TCanvas {
public:
    explicit TCanvas(QImage& image) : image_(&image) {}
    // A canvas belongs to the image it draws on; a copy would outlive or confuse its owner.
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The colour at (x, y), or clInvalid outside the image.
    TColor Pixel(int x, int y) const;
    // Outside the image nothing happens: lines and shapes are clipped.
    void SetPixel(int x, int y, TColor color);

    // Many pixels set as SetPixel sets each, with one change notification for them all.
    struct TPixelAt {
        int X = 0;
        int Y = 0;
        TColor Color = clBlack;
    };
    void SetPixels(std::span<const TPixelAt> pixels);
    // The colours of row `y` from x = 0 on, as Pixel gives each (clInvalid past the image).
    void ReadRow(int y, std::span<TColor> colors) const;

    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor color) { penColor_ = color; }
    QPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
    // A one-pixel line from the pen position to (x, y), which becomes the pen position.
    // The last point is not painted, so that joined lines paint every joint once.
    void LineTo(int x, int y);

    // Pen mix: pmCopy paints the pen colour, pmNot inverts what is there.
    enum class TPenMode { pmCopy, pmNot };
    TPenMode PenMode() const { return penMode_; }
    void SetPenMode(TPenMode mode) { penMode_ = mode; }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color) { brushColor_ = color; }
    // Text drawn with the font's colour; the font's pixel size is its height in pixels.
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color) { fontColor_ = color; }

    // The classic rectangle: a one-pixel pen outline just inside `rect` (right and bottom
    // exclusive), the inside filled with the brush. In pmNot every pixel of it is inverted.
    void Rectangle(const QRect& rect);
    void FillRect(const QRect& rect, TColor color);
    // N nested one-pixel rings inside `rect`: per ring, left column and top row in `first`,
    // then right column and bottom row in `second` (so the top-right and bottom-left corners end
    // in `second`), then every chosen side moves in by one. Returns the shrunk rectangle.
    QRect DrawBevelRings(QRect rect, int rings, TColor first, TColor second,
                         Qt::Edges sides = Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge |
                                           Qt::BottomEdge);
    // The dotted focus outline, drawn by inverting every other pixel of the border of `rect`.
    // Where the image is see-through, the brush colour is what gets inverted.
    void DrawFocusRect(const QRect& rect);
    // Draws `text` in `rect` with Qt alignment and text flags (Qt::TextShowMnemonic makes "&"
    // underline the next character); returns the rectangle the text takes.
    QRect DrawText(const QRect& rect, int flags, const QString& text);
    // The rectangle `text` would take, drawing nothing.
    QRect TextRect(const QRect& rect, int flags, const QString& text) const;
    // Writes `text` as one line, unformatted and unclipped, turned `angle` degrees
    // counter-clockwise about `origin`, where the line's top-left corner stands.
    void RotatedTextOut(const QPoint& origin, int angle, const QString& text);

    // A two-part picture at (x, y): `mask` combined with what is there by bitwise AND, then
    // `image` by bitwise OR; so a mask black where the picture is opaque and white elsewhere,
    // with an image black where the mask is white, lays the picture over what was there.
    // A see-through pixel counts as black and stays see-through where neither part changes it.
    void DrawMasked(int x, int y, const QImage& image, const QImage& mask);
    // Copies `source` stretched into `dest`; pixels of `transparent` (unless clNone) are
    // left as they were.
    void DrawImage(const QRect& dest, const QImage& source, TColor transparent = clNone);
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const QRect& dest, TGraphic& graphic);

    // Runs painter work on the image, through an RGB copy when the image is indexed.
    void Paint(const std::function<void(QPainter&)>& work);

    // Called once after each drawing operation; a bitmap uses it to tell its holder.
    std::function<void()> OnChange;

    QImage& Image() { return *image_; }
    const QImage& Image() const { return *image_; }
    int Width() const { return Logical(image_->width()); }
    int Height() const { return Logical(image_->height()); }

    // Device pixels per canvas pixel: the image's device pixel ratio.
    qreal Scale() const { return image_->devicePixelRatio(); }
    // The device pixels that canvas pixels `rect` cover, and the canvas pixel a device column
    // or row belongs to.
    QRect DeviceRect(const QRect& rect) const;
    int FromDevice(int device) const;
    // Runs `work` on a canvas over the same pixels that draws at the device's resolution, one
    // canvas pixel a device pixel; while it runs this canvas has no ratio, so places are worked
    // out before.
    void OnDevicePixels(const std::function<void(TCanvas&)>& work);

    // The palette entry nearest to `color` (smallest squared RGB distance, first wins).
    static int NearestIndex(const QList<QRgb>& palette, QRgb color);

private:
    int ToDevice(int canvas) const { return qRound(canvas * Scale()); }
    int Logical(int device) const;
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
    // The image's own value at canvas pixel (x, y), which must be inside.
    QRgb Stored(int x, int y) const { return image_->pixel(ToDevice(x), ToDevice(y)); }
    void PutPixel(int x, int y, TColor color);
    void PutDevicePixel(int x, int y, TColor color);
    // Fills device pixels `rect`, without the change notification.
    void FillDevice(const QRect& rect, TColor color);
    // The font, without antialiasing, and the font colour.
    void PrepareText(QPainter& painter) const;
    void Changed() {
        if (OnChange)
            OnChange();
    }

    QImage* image_;
    TColor penColor_ = clBlack;
    TPenMode penMode_ = TPenMode::pmCopy;
    TColor brushColor_ = clWhite;
    TColor fontColor_ = clBlack;
    QFont font_;
    QPoint penPos_;
};

#endif
