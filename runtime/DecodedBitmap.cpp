#include "runtime/DecodedBitmap.h"

#include "runtime/InvalidGraphic.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

namespace {

QImage OverBlack(const QImage& image) {
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::black);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

} // namespace

TDecodedBitmap::TDecodedBitmap(QByteArray format, QString kind)
    : format_(std::move(format)), kind_(std::move(kind)) {}

void TDecodedBitmap::LoadFromStream(QIODevice& stream) {
    // Read as far as any picture file may go; the reader then refuses pictures beyond its
    // allocation limit, whatever size a file claims.
    QBuffer buffer;
    buffer.setData(ReadToEnd(stream));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format_);
    reader.setAutoTransform(true);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw EInvalidGraphic(QStringLiteral("%1 image is not valid").arg(kind_));
    SetImage(image.hasAlphaChannel() ? OverBlack(image) : image);
}
