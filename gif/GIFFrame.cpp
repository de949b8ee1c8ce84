#include "gif/GIFFrame.h"

#include "gif/GIFDecoder.h"
#include "gif/GIFImage.h"
#include "runtime/Bitmap.h"

#include <algorithm>

TGIFFrame::TGIFFrame(TGIFImage& owner) : owner_(owner), item_(std::make_shared<TGIFItem>()) {}

TGIFFrame::~TGIFFrame() = default;

TBitmap& TGIFFrame::Bitmap() const {
    if (bitmap_)
        return *bitmap_;
    bitmap_ = std::make_unique<TBitmap>();
    if (HasData())
        Decode();
    return *bitmap_;
}

void TGIFFrame::Decode() const {
    owner_.Progress(TProgressStage::psStarting, 0);
    try {
        const TGIFDecoded decoded =
            DecodeGIFImage(*item_, interlaced_, owner_.Settings(), [this](int percent) {
                owner_.Progress(TProgressStage::psRunning, percent);
            });
        if (!decoded.Image.isNull())
            bitmap_->SetImage(decoded.Image);
        corrupted_ = corrupted_ || decoded.Corrupted;
    } catch (const std::exception& failure) {
        owner_.Progress(TProgressStage::psEnding, 0, QString::fromUtf8(failure.what()));
        throw;
    }
    owner_.Progress(TProgressStage::psEnding, 100);
}

int TGIFFrame::Width() const {
    return HasBitmap() || HasData() ? Bitmap().Width() : 0;
}

int TGIFFrame::Height() const {
    return HasBitmap() || HasData() ? Bitmap().Height() : 0;
}

QRect TGIFFrame::Bounds() const {
    if (bitmap_ && !bitmap_->Empty())
        return QRect(origin_, QSize(bitmap_->Width(), bitmap_->Height()));
    if (HasData())
        return QRect(origin_, QSize(item_->Width, item_->Height));
    return QRect(origin_, QSize(0, 0));
}

void TGIFFrame::Draw(TCanvas& canvas, const QRect& rect, bool transparent) const {
    canvas.DrawImage(rect, Bitmap().Image(), transparent ? transparentColor_ : clNone);
}

void TGIFFrame::Assign(const TGIFFrame& source) {
    if (&source == this)
        return;
    item_ = source.item_;
    // A table that was the source picture's global one must travel with the frame.
    localColors_ = &source.owner_ == &owner_ ? source.localColors_ : true;
    origin_ = source.origin_;
    interlaced_ = source.interlaced_;
    bitmap_ = source.bitmap_ ? std::make_unique<TBitmap>(*source.bitmap_) : nullptr;
    transparentColor_ = source.transparentColor_;
    delay_ = source.delay_;
    disposal_ = source.disposal_;
    grayscale_ = source.grayscale_;
    corrupted_ = source.corrupted_;
    extensions_.clear();
    if (const QByteArrayList comment = source.Comment(); !comment.isEmpty())
        EditComment() = comment;
    owner_.RecomputeScreen();
}

void TGIFFrame::Assign(const TGraphic* source) {
    const auto* picture = dynamic_cast<const TGIFImage*>(source);
    if (picture && picture->Count() > 0)
        return Assign(picture->Frames(picture->ShownIndex()));
    if (source && !picture)
        MakeFromPicture(*source);
    else
        Clear();
    owner_.RecomputeScreen();
}

void TGIFFrame::Clear() {
    item_ = std::make_shared<TGIFItem>();
    bitmap_.reset();
}

void TGIFFrame::MakeFromPicture(const TGraphic& source) {
    Clear();
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        bitmap_ = std::make_unique<TBitmap>(*bitmap);
        if (bitmap->Transparent())
            transparentColor_ = bitmap->TransparentColor();
        return;
    }
    // A picture that has no pixels of its own is drawn onto a fuchsia bitmap of its size.
    constexpr TColor background = clFuchsia;
    bitmap_ = std::make_unique<TBitmap>(source.Width(), source.Height(), TPixelFormat::pf24bit);
    TCanvas& canvas = bitmap_->Canvas();
    canvas.SetBrushColor(background);
    canvas.FillRect(QRect(0, 0, source.Width(), source.Height()), background);
    source.Clone()->Draw(canvas, QRect(0, 0, source.Width(), source.Height()));
    if (source.Transparent())
        transparentColor_ = background;
}

void TGIFFrame::AssignTo(TBitmap& target) const {
    target = Bitmap();
    // Our bitmaps take "no colour" to mean their corner pixel, so a frame without a transparent
    // colour leaves the target opaque.
    if (transparentColor_ != clNone) {
        target.SetTransparentColor(transparentColor_);
        target.SetTransparent(true);
    }
}

int TGIFFrame::LastComment() const {
    for (int i = static_cast<int>(extensions_.size()) - 1; i >= 0; --i)
        if (extensions_[i].Kind() == TExtensionKind::ekComment)
            return i;
    return -1;
}

QByteArrayList TGIFFrame::Comment() const {
    const int last = LastComment();
    return last < 0 ? QByteArrayList() : extensions_[last].Text();
}

QByteArrayList& TGIFFrame::EditComment() {
    const int last = LastComment();
    if (last >= 0)
        return extensions_[last].Text();
    return extensions_.emplace_back(TExtensionKind::ekComment, QByteArray()).Text();
}
