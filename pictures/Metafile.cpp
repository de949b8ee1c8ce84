#include "pictures/Metafile.h"

#include "pictures/EmfPlayer.h"
#include "pictures/WmfPlayer.h"
#include "runtime/Canvas.h"
#include "runtime/OutOfMemory.h"
#include "runtime/PictureFormats.h"
#include "runtime/StreamBytes.h"

#include <QPainter>

namespace {

// Far above any drawing a logo needs; a longer file is refused rather than read into memory.
constexpr qint64 kMaxFileBytes = qint64(64) << 20;
// A file is played once as it is read, at its own size up to this on a side: one that is too
// complex to draw is refused then, before it takes the place of a picture.
constexpr int kTrialSide = 256;

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
        // Played on a copy, which replaces the canvas's pixels only once the whole drawing has
        // played: a drawing stopped for its cost leaves the canvas as it was.
        const auto* pixels = dynamic_cast<const QImage*>(painter.device());
        QImage copy = Allocated(pixels->copy());
        {
            QPainter onCopy(&copy);
            Play(data_, header_, onCopy, QRectF(rect));
        }
        painter.save();
        painter.resetTransform();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, copy);
        painter.restore();
    });
}

void TMetafile::Play(const QByteArray& data, const TMetafileHeader& header, QPainter& painter,
                     const QRectF& target) {
    const TByteView file(data);
    if (header.enhanced)
        TEmfPlayer::Play(file, header, painter, target);
    else
        TWmfPlayer::Play(file, header, painter, target);
}

void TMetafile::LoadFromStream(QIODevice& stream) {
    const std::optional<QByteArray> data = ReadAtMost(stream, kMaxFileBytes);
    if (!data)
        ThrowInvalidMetafile();
    const TByteView file(*data);
    const TMetafileHeader header =
        TEmfPlayer::Recognizes(file) ? TEmfPlayer::ReadHeader(file) : TWmfPlayer::ReadHeader(file);
    PlayOnce(*data, header);
    data_ = *data;
    header_ = header;
    width_ = header.size.width();
    height_ = header.size.height();
    Changed();
}

void TMetafile::PlayOnce(const QByteArray& data, const TMetafileHeader& header) {
    const QSize size = header.size.boundedTo(QSize(kTrialSide, kTrialSide)).expandedTo(QSize(1, 1));
    QImage trial = Allocated(QImage(size, QImage::Format_RGB32));
    trial.fill(Qt::white);
    QPainter painter(&trial);
    Play(data, header, painter, QRectF(QPointF(0, 0), QSizeF(size)));
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
