#include "gif/GIFImage.h"

#include "gif/GIFReader.h"
#include "gif/GIFWriter.h"
#include "runtime/Bitmap.h"
#include "runtime/Clipboard.h"
#include "runtime/ConvertError.h"
#include "runtime/InvalidGraphic.h"
#include "runtime/Picture.h"
#include "runtime/PictureFormats.h"
#include "runtime/ReadError.h"
#include "runtime/StreamBytes.h"

#include <QBuffer>
#include <QtEndian>
#include <algorithm>

namespace {

// The name under which the GIF travels on the clipboard, beside frame 0's picture.
const QString ClipboardFormat = QStringLiteral("GIF Image");

// Reads exactly `count` bytes, a piece at a time so that a false length costs no memory.
QByteArray ReadExactly(QIODevice& stream, qint64 count) {
    constexpr qint64 kPiece = 1 << 16;
    QByteArray bytes;
    while (bytes.size() < count) {
        const QByteArray piece = stream.read(std::min(kPiece, count - bytes.size()));
        if (piece.isEmpty())
            throw EReadError();
        bytes.append(piece);
    }
    return bytes;
}

QByteArray WithLength(const QByteArray& gif) {
    QByteArray stored(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(gif.size()), stored.data());
    return stored + gif;
}

} // namespace

TGIFImage::TGIFImage() : header_(std::make_shared<TGIFData>()) {
    SetTransparent(true);
}

TGIFImage::~TGIFImage() {
    OnChange = nullptr;
}

void TGIFImage::Reset() {
    header_ = std::make_shared<TGIFData>();
    frames_.clear();
    currentIndex_ = -1;
    screenWidth_ = 0;
    screenHeight_ = 0;
    backgroundColor_ = clNone;
    repeatCount_ = 1;
    looping_ = false;
    version_ = TGIFVersion::gvNone;
}

std::unique_ptr<TGraphic> TGIFImage::Clone() const {
    auto copy = std::make_unique<TGIFImage>();
    copy->CopyFrom(*this);
    copy->SetTransparent(TGraphic::Transparent());
    return copy;
}

int TGIFImage::ShownIndex() const {
    return currentIndex_ >= 0 && currentIndex_ < Count() ? currentIndex_ : 0;
}

bool TGIFImage::Empty() const {
    if (frames_.empty())
        return true;
    const TGIFFrame& frame = Frames(ShownIndex());
    return !frame.HasBitmap() && !frame.HasData();
}

int TGIFImage::Width() const {
    if (Empty() || currentIndex_ < 0 || currentIndex_ >= Count())
        return 0;
    return Frames(currentIndex_).Bitmap().Width();
}

int TGIFImage::Height() const {
    if (Empty() || currentIndex_ < 0 || currentIndex_ >= Count())
        return 0;
    return Frames(currentIndex_).Bitmap().Height();
}

void TGIFImage::SetWidth(int) {
    throw EInvalidGraphic(QStringLiteral("Cannot change the Size of a GIF image"));
}

void TGIFImage::SetHeight(int) {
    throw EInvalidGraphic(QStringLiteral("Cannot change the Size of a GIF image"));
}

void TGIFImage::Draw(TCanvas& canvas, const QRect& rect) {
    if (currentIndex_ >= 0 && currentIndex_ < Count())
        Frames(currentIndex_).Draw(canvas, rect, Transparent());
}

bool TGIFImage::Transparent() const {
    return TGraphic::Transparent() &&
           std::any_of(frames_.begin(), frames_.end(),
                       [](const auto& frame) { return frame->TransparentColor() != clNone; });
}

bool TGIFImage::Equals(const TGraphic& other) const {
    const auto* picture = dynamic_cast<const TGIFImage*>(&other);
    return picture && picture->header_ == header_;
}

QList<QRgb> TGIFImage::Palette() const {
    return frames_.empty() ? QList<QRgb>() : Frames(ShownIndex()).Bitmap().Palette();
}

void TGIFImage::SetCurrentIndex(int index) {
    if (index == currentIndex_)
        return;
    currentIndex_ = index;
    Changed();
}

int TGIFImage::ScreenWidth() const {
    return Empty() ? 0 : screenWidth_;
}

int TGIFImage::ScreenHeight() const {
    return Empty() ? 0 : screenHeight_;
}

QSize TGIFImage::FramesExtent() const {
    QSize extent(0, 0);
    for (const auto& frame : frames_) {
        const QRect bounds = frame->Bounds();
        extent =
            extent.expandedTo(QSize(bounds.x() + bounds.width(), bounds.y() + bounds.height()));
    }
    return extent;
}

void TGIFImage::RecomputeScreen() {
    const QSize extent = FramesExtent();
    screenWidth_ = extent.width();
    screenHeight_ = extent.height();
}

QByteArrayList& TGIFImage::EditComment() {
    if (header_.use_count() > 1)
        header_ = std::make_shared<TGIFData>(*header_);
    return header_->Comment;
}

void TGIFImage::Progress(TProgressStage stage, int percent, const QString& message) const {
    if (OnProgress)
        OnProgress(*this, stage, percent, message);
}

void TGIFImage::Load(const QByteArray& data, bool decodeFirst) {
    Reset();
    if (!data.isEmpty())
        TGIFReader(*this, data).Read();
    if (!frames_.empty()) {
        currentIndex_ = 0;
        if (decodeFirst) {
            try {
                frames_.front()->Bitmap();
            } catch (...) {
                frames_.erase(frames_.begin());
                currentIndex_ = frames_.empty() ? -1 : 0;
                throw;
            }
        }
    }
    paletteModified_ = true;
    Changed();
}

void TGIFImage::LoadFromStream(QIODevice& stream) {
    Load(ReadToEnd(stream), true);
}

void TGIFImage::SaveToStream(QIODevice& stream) const {
    WriteAll(stream, WriteGIFFile(*this));
}

void TGIFImage::ReadStored(QIODevice& stream, bool decodeFirst) {
    const quint32 length = qFromLittleEndian<quint32>(ReadExactly(stream, 4).constData());
    if (length > LargestFile)
        TooLarge();
    Load(ReadExactly(stream, length), decodeFirst);
}

void TGIFImage::ReadData(QIODevice& stream) {
    ReadStored(stream, true);
}

void TGIFImage::WriteData(QIODevice& stream) const {
    WriteAll(stream, WithLength(WriteGIFFile(*this)));
}

void TGIFImage::LoadFromClipboard() {
    const QImage picture = TClipboard::Picture();
    if (std::optional<QByteArray> stored = TClipboard::Data(ClipboardFormat)) {
        QBuffer buffer;
        buffer.setData(*stored);
        buffer.open(QIODevice::ReadOnly);
        ReadStored(buffer, false);
        if (!picture.isNull() && !frames_.empty()) {
            frames_.front()->bitmap_ = std::make_unique<TBitmap>();
            frames_.front()->bitmap_->SetImage(picture);
            Changed();
        }
        return;
    }
    if (picture.isNull())
        throw EInvalidGraphic(QStringLiteral("Unsupported clipboard format"));
    TBitmap bitmap;
    bitmap.SetImage(picture);
    Assign(&bitmap);
}

void TGIFImage::SaveToClipboard() const {
    if (frames_.empty())
        throw EInvalidGraphic(QStringLiteral("No GIF Data to write"));
    const QImage picture = Frames(0).Bitmap().Image();
    if (std::all_of(frames_.begin(), frames_.end(),
                    [](const auto& frame) { return frame->HasData(); }))
        TClipboard::Put(picture, ClipboardFormat, WithLength(WriteGIFFile(*this)));
    else
        TClipboard::Put(picture);
}

void TGIFImage::Assign(const TGraphic* source) {
    if (source == this)
        return;
    if (!source) {
        Reset();
    } else if (const auto* picture = dynamic_cast<const TGIFImage*>(source)) {
        return CopyFrom(*picture);
    } else if (dynamic_cast<const TBitmap*>(source)) {
        Reset();
        AppendFrame(*source);
    } else {
        throw EConvertError(QStringLiteral("Cannot assign this kind of picture to a TGIFImage"));
    }
    Changed();
}

void TGIFImage::CopyFrom(const TGIFImage& source) {
    header_ = source.header_;
    version_ = source.version_;
    backgroundColor_ = source.backgroundColor_;
    repeatCount_ = source.repeatCount_;
    looping_ = source.looping_;
    settings_ = source.settings_;
    frames_.clear();
    for (const auto& original : source.frames_) {
        TGIFFrame& frame = *frames_.emplace_back(std::make_unique<TGIFFrame>(*this));
        frame.Assign(*original);
        frame.localColors_ = original->localColors_;
    }
    screenWidth_ = source.screenWidth_;
    screenHeight_ = source.screenHeight_;
    currentIndex_ = source.currentIndex_;
    Changed();
}

void TGIFImage::Assign(const TGIFFrame& source) {
    // The source may be one of our own frames, which the reset frees: copy it first.
    auto frame = std::make_unique<TGIFFrame>(*this);
    frame->Assign(source);
    const TGIFData& from = source.Owner().Header();
    auto header = std::make_shared<TGIFData>();
    header->AspectRatio = from.AspectRatio;
    header->GlobalBits = from.GlobalBits;
    header->ColorResolution = from.ColorResolution;
    header->GlobalColors = from.GlobalColors;
    Reset();
    header_ = std::move(header);
    frames_.push_back(std::move(frame));
    RecomputeScreen();
    currentIndex_ = 0;
    version_ = TGIFVersion::gv87a;
    Changed();
}

void TGIFImage::AssignTo(TBitmap& target) const {
    Frames(ShownIndex()).AssignTo(target);
}

void TGIFImage::AssignTo(TPicture& target) const {
    if (Empty()) {
        target.SetGraphic(nullptr);
        return;
    }
    auto bitmap = std::make_unique<TBitmap>();
    AssignTo(*bitmap);
    target.SetGraphic(std::move(bitmap));
}

int TGIFImage::AppendFrame(const TGraphic& graphic) {
    TGIFFrame& frame = *frames_.emplace_back(std::make_unique<TGIFFrame>(*this));
    try {
        frame.Assign(&graphic);
    } catch (...) {
        frames_.pop_back();
        throw;
    }
    currentIndex_ = Count() - 1;
    if (version_ == TGIFVersion::gvNone)
        version_ = TGIFVersion::gv87a;
    if (Count() > 1)
        version_ = TGIFVersion::gv89a;
    return currentIndex_;
}

int TGIFImage::AddFrame(const TGraphic& graphic) {
    const int index = AppendFrame(graphic);
    Changed();
    return index;
}

void RegisterGIFImage() {
    // Offered where the dialog has always offered it: before the bitmaps.
    TPictureFormats::Register(
        QStringLiteral("gif"), QStringLiteral("CompuServe GIF Image"),
        [] { return std::make_unique<TGIFImage>(); }, QStringLiteral("bmp"));
}

void UnregisterGIFImage() {
    TPictureFormats::Unregister(QStringLiteral("gif"));
}
