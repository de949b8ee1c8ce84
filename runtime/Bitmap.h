#ifndef VARNEL_RUNTIME_BITMAP_H
#define VARNEL_RUNTIME_BITMAP_H

#include "runtime/Canvas.h"
#include "runtime/Graphic.h"
#include "runtime/IndexedPicture.h"

#include <QImage>

enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

// A bitmap with a pixel format tag and, for the indexed formats, a palette. The pixels live in a
// QImage: Mono for 1 bit, Indexed8 for 4 and 8 bits (a 4-bit bitmap keeps at most 16 palette
// entries), RGB32 for 24 and 32 bits.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format, const QList<QRgb>& palette = {});
    TBitmap(const TBitmap& other);
    // The picture at 4 bits for at most 16 colours, else 8, with its palette.
    static TBitmap OfIndexed(const TIndexedPicture& picture);
    TBitmap& operator=(const TBitmap& other);

    std::unique_ptr<TGraphic> Clone() const override;
    bool Empty() const override { return image_.isNull(); }
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    void SetWidth(int width) override { SetSize(width, Height()); }
    void SetHeight(int height) override { SetSize(Width(), height); }
    // Keeps the pixels that still fit; new pixels are palette entry 0 (or black).
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return format_; }
    QList<QRgb> Palette() const { return image_.colorTable(); }

    TCanvas& Canvas() { return canvas_; }
    const TCanvas& Canvas() const { return canvas_; }
    const QImage& Image() const { return image_; }
    // Takes a picture made elsewhere, keeping its palette; the format tag follows its depth.
    void SetImage(QImage image);

    void Draw(TCanvas& canvas, const QRect& rect) override;
    // Reads every common BMP variant (1, 4, 8, 16, 24, 32 bits, RLE, OS/2 headers); anything
    // else raises "Bitmap image is not valid" and leaves the bitmap as it was: pixel data that
    // ends before the picture does, a pixel offset past the end, and a picture larger than its
    // file may cost (PictureMemory) are refused before anything is decoded.
    void LoadFromStream(QIODevice& stream) override;
    // Reads just the top-left `size` of a BMP file held in memory. Of an uncompressed file only
    // the rows that part covers are read, so a picture far larger than what shows of it costs
    // little; any other file is read whole and cut. Fails as LoadFromStream does.
    void LoadTopLeft(const QByteArray& file, QSize size);
    // Writes a BMP of the bitmap's own depth: 1, 4 and 8 bits with their palette, else 24 bits.
    void SaveToStream(QIODevice& stream) const override;

    // Transparent drawing treats this colour as see-through; clNone: the bottom-left pixel's.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color) { transparentColor_ = color; }

private:
    // Drawing on the canvas is a change of the bitmap, which its holder repaints for.
    void ReportCanvasChanges() {
        canvas_.OnChange = [this] { Changed(); };
    }
    static QImage MakeImage(int width, int height, TPixelFormat format, QList<QRgb> palette);

    QImage image_;
    TPixelFormat format_ = TPixelFormat::pf24bit;
    TCanvas canvas_{image_};
    TColor transparentColor_ = clNone;
};

#endif
