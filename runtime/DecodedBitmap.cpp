#include "runtime/DecodedBitmap.h"

#include "runtime/InvalidGraphic.h"

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
    // The reader refuses pictures beyond its allocation limit, whatever size a file claims.
    QImageReader reader(&stream, format_);
    reader.setAutoTransform(true);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw EInvalidGraphic(QStringLiteral("%1 image is not valid").arg(kind_));
    SetImage(image.hasAlphaChannel() ? OverBlack(image) : image);
}
