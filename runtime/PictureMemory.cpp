#include "runtime/PictureMemory.h"

#include "runtime/InvalidGraphic.h"

#include <algorithm>

namespace PictureMemory {

qint64 DecodedBytes(QSize size, QImage::Format format) {
    const qint64 pixels = qint64(size.width()) * size.height();
    switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return (qint64(size.width()) + 7) / 8 * size.height();
    case QImage::Format_Indexed8:
        return pixels;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_Invalid: // not told: the common 32 bits a pixel
        return pixels * 4;
    default: {
        const int depth = QImage::toPixelFormat(format).bitsPerPixel();
        return pixels * std::max(depth, 8) / 8 + pixels * 4;
    }
    }
}

bool Fits(QImageReader& reader, qint64 fileSize) {
    const QSize size = reader.size();
    if (!size.isValid())
        return true;
    return DecodedBytes(size, reader.imageFormat()) <= Limit(fileSize);
}

void RequireFits(QImageReader& reader, qint64 fileSize, const QString& kind) {
    if (!Fits(reader, fileSize))
        throw EInvalidGraphic(QStringLiteral("%1 image is too large: %2 × %3")
                                  .arg(kind)
                                  .arg(reader.size().width())
                                  .arg(reader.size().height()));
}

} // namespace PictureMemory
