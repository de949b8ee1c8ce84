#include "pictures/Metafile.h"

#include "pictures/EmfPlayer.h"
#include "pictures/WmfPlayer.h"
#include "runtime/Canvas.h"
#include "runtime/PictureFormats.h"
#include "runtime/StreamBytes.h"

namespace {

// Far above any drawing a logo needs; a longer file is refused rather than read into memory.
constexpr qint64 kMaxFileBytes = qint64(64) << 20;

} // namespace

TMetafile::TMetafile() {
    SetTransparent(true);
}

std::unique_ptr<TGraphic> TMetafile::Clone() const {
    return std::make_unique<TMetafile>(*this);
}

void TMetafile::SetWidth(int width) {
    if (width == width_)
        return;
    width_ = width;
    Changed();
}

void TMetafile::SetHeight(int height) {
    if (height == height_)
        return;
    height_ = height;
    Changed();
}

void TMetafile::Draw(TCanvas& canvas, const QRect& rect) {
    if (Empty() || rect.isEmpty())
        return;
    canvas.Paint([&](QPainter& painter) {
        const TByteView file(data_);
        if (header_.enhanced)
            TEmfPlayer::Play(file, header_, painter, QRectF(rect));
        else
            TWmfPlayer::Play(file, header_, painter, QRectF(rect));
    });
}

void TMetafile::LoadFromStream(QIODevice& stream) {
    const std::optional<QByteArray> data = ReadAtMost(stream, kMaxFileBytes);
    if (!data)
        ThrowInvalidMetafile();
    const TByteView file(*data);
    const TMetafileHeader header =
        TEmfPlayer::Recognizes(file) ? TEmfPlayer::ReadHeader(file) : TWmfPlayer::ReadHeader(file);
    data_ = *data;
    header_ = header;
    width_ = header.size.width();
    height_ = header.size.height();
    Changed();
}

void TMetafile::SaveToStream(QIODevice& stream) const {
    WriteAll(stream, data_);
}

void RegisterMetafile() {
    TPictureFormats::Register(QStringLiteral("emf"), QStringLiteral("Enhanced Metafiles"),
                              [] { return std::make_unique<TMetafile>(); });
    TPictureFormats::Register(QStringLiteral("wmf"), QStringLiteral("Metafiles"),
                              [] { return std::make_unique<TMetafile>(); });
}
