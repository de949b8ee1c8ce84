#include "runtime/PngFile.h"

#include "runtime/Exception.h"

#include <QtEndian>
#include <zlib.h>

namespace {

void PutBigEndian32(QByteArray& bytes, std::uint32_t value) {
    const std::uint32_t big = qToBigEndian(value);
    bytes.append(reinterpret_cast<const char*>(&big), sizeof big);
}

// Length, type, data, and the CRC-32 of the type and the data.
void PutChunk(QByteArray& png, const char (&type)[5], const QByteArray& data) {
    PutBigEndian32(png, std::uint32_t(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    png += typed;
    PutBigEndian32(png, std::uint32_t(crc32(crc32(0, nullptr, 0),
                                            reinterpret_cast<const Bytef*>(typed.constData()),
                                            uInt(typed.size()))));
}

QByteArray Header(const TIndexedPicture& picture) {
    QByteArray header;
    PutBigEndian32(header, std::uint32_t(picture.width));
    PutBigEndian32(header, std::uint32_t(picture.height));
    header.append(char(picture.BitsPerPixel()));
    header.append(char(3)); // palette indices
    header.append(3, '\0'); // deflate, the standard filters, no interlacing
    return header;
}

QByteArray Palette(const TIndexedPicture& picture) {
    QByteArray palette;
    for (const std::uint32_t rgb : picture.palette) {
        palette.append(char(rgb >> 16 & 0xFF));
        palette.append(char(rgb >> 8 & 0xFF));
        palette.append(char(rgb & 0xFF));
    }
    return palette;
}

// Each row behind its filter byte, 0: no filter.
QByteArray Rows(const TIndexedPicture& picture) {
    const int bits = picture.BitsPerPixel();
    const qsizetype rowBytes = 1 + (qsizetype(picture.width) * bits + 7) / 8;
    QByteArray rows(rowBytes * picture.height, '\0');
    auto* row = reinterpret_cast<std::uint8_t*>(rows.data());
    for (int y = 0; y < picture.height; ++y, row += rowBytes)
        PackIndices(&picture.indices[std::size_t(y) * std::size_t(picture.width)], picture.width,
                    bits, row + 1);
    return rows;
}

QByteArray Compressed(const QByteArray& rows) {
    uLongf size = compressBound(uLong(rows.size()));
    QByteArray packed(qsizetype(size), '\0');
    if (compress(reinterpret_cast<Bytef*>(packed.data()), &size,
                 reinterpret_cast<const Bytef*>(rows.constData()), uLong(rows.size())) != Z_OK)
        throw Exception(QStringLiteral("Cannot make a PNG of the picture: out of memory."));
    packed.truncate(qsizetype(size));
    return packed;
}

} // namespace

QByteArray PngFile::Indexed(const TIndexedPicture& picture) {
    QByteArray png = Signature.toByteArray();
    PutChunk(png, "IHDR", Header(picture));
    PutChunk(png, "PLTE", Palette(picture));
    PutChunk(png, "IDAT", Compressed(Rows(picture)));
    PutChunk(png, "IEND", {});
    return png;
}
