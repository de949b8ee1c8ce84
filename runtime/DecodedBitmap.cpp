#include "runtime/DecodedBitmap.h"

#include "runtime/InvalidGraphic.h"
#include "runtime/OutOfMemory.h"
#include "runtime/PictureEnd.h"
#include "runtime/PictureMemory.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// See-through pixels over black, in place: premultiplied colour is what black shows through, and
// every pixel is then opaque.
QImage OverBlack(QImage image) {
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    Allocated(image);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

} // namespace

TDecodedBitmap::TDecodedBitmap(QByteArray format, QString kind)
    : format_(std::move(format)), kind_(std::move(kind)) {}

void TDecodedBitmap::LoadFromStream(QIODevice& stream) {
    // Read as far as any picture file may go; the picture's declared size is then held to what
    // the file may cost before the reader allocates for it, and a file cut short is refused
    // rather than shown with its missing part black.
    const QByteArray file = ReadToEnd(stream);
    const auto invalid = [&] {
        return EInvalidGraphic(QStringLiteral("%1 image is not valid").arg(kind_));
    };
    const std::optional<QByteArray> bytes = PictureEnd::Readable(format_, file);
    if (!bytes)
        throw invalid();
    QBuffer buffer;
    buffer.setData(*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format_);
    // The bytes are of the kind named (their end was found by its rules): asking every image
    // plugin whether it knows them better would only load plugins, which costs a start-up more
    // than decoding a logo-sized picture.
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(true);
    QImage image;
    PictureMemory::RequireFits(reader, file.size(), kind_);
    if (!reader.read(&image) || image.isNull())
        throw invalid();
    SetImage(image.hasAlphaChannel() ? OverBlack(std::move(image)) : std::move(image));
}
