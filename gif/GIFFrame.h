#ifndef VARNEL_GIF_GIFFRAME_H
#define VARNEL_GIF_GIFFRAME_H

#include "gif/Extension.h"
#include "gif/GIFItem.h"
#include "runtime/Color.h"

#include <QPoint>
#include <QRect>
#include <memory>
#include <vector>

class TBitmap;
class TCanvas;
class TGIFImage;
class TGraphic;

// One image of a GIF picture: its compressed form, shared with the frames copied from it, and
// the bitmap decoded from it on first use.
class TGIFFrame {
public:
    explicit TGIFFrame(TGIFImage& owner);
    ~TGIFFrame();
    TGIFFrame(const TGIFFrame&) = delete;
    TGIFFrame& operator=(const TGIFFrame&) = delete;

    TGIFImage& Owner() const { return owner_; }

    // The decoded frame, made on first use and kept: an indexed bitmap of 1, 4 or 8 bits whose
    // palette is the frame's table padded with grey. A frame without compressed data gives an
    // empty bitmap. A failure to decode raises once and leaves the bitmap empty; the frame does
    // not try again, so a repaint neither repeats the failure nor replaces a bitmap handed out.
    TBitmap& Bitmap() const;
    // A bitmap object is held (decoded, copied, or left empty by a failed decoding).
    bool HasBitmap() const { return bitmap_ != nullptr; }
    bool HasData() const { return item_->Size != 0; }
    // The bitmap's size (decoding it if need be); 0 without bitmap and data.
    int Width() const;
    int Height() const;
    // Origin and size without decoding anything: the bitmap's size when one is held, else the
    // size the file gave.
    QRect Bounds() const;

    // Stretches the bitmap into `rect`; with `transparent`, pixels of the transparent colour leave
    // the canvas as it was.
    void Draw(TCanvas& canvas, const QRect& rect, bool transparent) const;

    // Shares the source's compressed data and copies its bitmap and fields.
    void Assign(const TGIFFrame& source);
    // nullptr empties the frame; a GIF picture gives its current frame; any other picture
    // becomes the bitmap.
    void Assign(const TGraphic* source);
    // The bitmap, with the transparent colour when the frame has one.
    void AssignTo(TBitmap& target) const;

    const TGIFItem& Item() const { return *item_; }
    // The graphic-control and comment extensions that came before the image in the file.
    const std::vector<TExtension>& Extensions() const { return extensions_; }
    // The text of the last comment extension.
    QByteArrayList Comment() const;
    // The same, for changing: a comment extension is made when there is none.
    QByteArrayList& EditComment();

    QPoint Origin() const { return origin_; }
    void SetOrigin(QPoint origin) { origin_ = origin; }
    bool Interlaced() const { return interlaced_; }
    bool Corrupted() const { return corrupted_; }
    bool Grayscale() const { return grayscale_; }
    void SetGrayscale(bool value) { grayscale_ = value; }
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor color) { transparentColor_ = color; }
    // Display time in milliseconds.
    quint16 Delay() const { return delay_; }
    void SetDelay(quint16 delay) { delay_ = delay; }
    int Disposal() const { return disposal_; }
    void SetDisposal(int disposal) { disposal_ = disposal; }
    bool LocalColors() const { return localColors_; }

private:
    friend class TGIFImage;
    friend class TGIFReader;

    void Decode() const;
    void Clear();
    int LastComment() const;
    void MakeFromPicture(const TGraphic& source);

    TGIFImage& owner_;
    // Decoding on first use is a cache: it leaves the frame's content as it was.
    mutable std::unique_ptr<TBitmap> bitmap_;
    mutable bool corrupted_ = false;
    std::shared_ptr<const TGIFItem> item_;
    std::vector<TExtension> extensions_;
    QPoint origin_;
    bool interlaced_ = false;
    bool grayscale_ = false;
    TColor transparentColor_ = clNone;
    quint16 delay_ = 0;
    int disposal_ = 0;
    bool localColors_ = false;
};

#endif
