#include "pictures/Dib.h"

#include "runtime/PictureEnd.h"

#include <QBuffer>
#include <QImageReader>
#include <array>
#include <bit>
#include <cstdlib>
#include <optional>

namespace {

enum : quint32 { kRgb = 0, kBitFields = 3, kJpeg = 4, kPng = 5, kAlphaBitFields = 6 };

struct THeader {
    qint64 width = 0;
    qint64 height = 0;
    bool topDown = false;
    int bitCount = 0;
    quint32 compression = kRgb;
    QList<QRgb> colors;
    std::array<quint32, 4> masks{}; // red, green, blue, alpha
    qint64 size = 0;                // header, masks and colour table: where packed rows start
    qint64 Stride() const { return (width * bitCount + 31) / 32 * 4; }
};

QList<QRgb> ReadColors(TByteView table, qint64 count, int entrySize) {
    QList<QRgb> colors;
    for (qint64 i = 0; i < count; ++i) {
        const qint64 at = i * entrySize;
        colors.append(qRgb(table.U8(at + 2), table.U8(at + 1), table.U8(at)));
    }
    return colors;
}

THeader ReadCoreHeader(TByteView info) {
    THeader header;
    header.width = info.U16(4);
    header.height = info.U16(6);
    header.bitCount = info.U16(10);
    const qint64 colors = header.bitCount <= 8 ? qint64(1) << header.bitCount : 0;
    header.colors = ReadColors(info.Sub(12), colors, 3);
    header.size = 12 + colors * 3;
    return header;
}

THeader ReadInfoHeader(TByteView info, quint32 headerSize) {
    THeader header;
    header.width = info.I32(4);
    const qint32 height = info.I32(8);
    header.topDown = height < 0;
    header.height = std::abs(qint64(height));
    header.bitCount = info.U16(14);
    header.compression = info.U32(16);
    header.size = headerSize;
    if (header.compression == kBitFields || header.compression == kAlphaBitFields) {
        // Older info headers keep the masks just after themselves, newer ones inside.
        const qint64 maskCount = header.compression == kAlphaBitFields ? 4 : 3;
        const qint64 at = headerSize >= 40 + 4 * maskCount ? 40 : headerSize;
        for (qint64 i = 0; i < maskCount; ++i)
            header.masks[i] = info.U32(at + 4 * i);
        if (at == headerSize)
            header.size += 4 * maskCount;
    } else if (headerSize >= 56) {
        header.masks[3] = info.U32(52);
    }
    const qint64 used = info.U32(32);
    const bool indexed = header.bitCount >= 1 && header.bitCount <= 8;
    const qint64 full = indexed ? qint64(1) << header.bitCount : 0;
    const qint64 count = used == 0 ? full : used;
    if (count > 256 || (full > 0 && count > full))
        throw EOutsideBytes{};
    const TByteView table = info.Sub(header.size);
    header.colors = ReadColors(table, indexed ? count : 0, 4);
    header.size += count * 4;
    return header;
}

std::optional<THeader> ReadHeader(TByteView info) {
    try {
        const quint32 size = info.U32(0);
        if (size != 12 && size < 40)
            return std::nullopt;
        const THeader header = size == 12 ? ReadCoreHeader(info) : ReadInfoHeader(info, size);
        const int bits = header.bitCount;
        const bool wide = bits == 16 || bits == 32;
        const bool known =
            header.compression == kJpeg || header.compression == kPng ||
            (header.compression == kRgb && (bits == 1 || bits == 4 || bits == 8 || bits == 24)) ||
            ((header.compression == kRgb || header.compression == kBitFields ||
              header.compression == kAlphaBitFields) &&
             wide);
        if (!known || header.width <= 0 || header.height <= 0 ||
            header.width > Dib::MaxPixels / header.height)
            return std::nullopt;
        return header;
    } catch (const EOutsideBytes&) {
        return std::nullopt;
    }
}

// The 8-bit value of the channel a bit-field mask selects.
int Channel(quint32 pixel, quint32 mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const quint32 top = mask >> shift;
    return int(((pixel & mask) >> shift) * 255 / top);
}

QRgb MaskedPixel(const THeader& header, quint32 pixel) {
    const int alpha = header.masks[3] ? Channel(pixel, header.masks[3]) : 255;
    return qRgba(Channel(pixel, header.masks[0]), Channel(pixel, header.masks[1]),
                 Channel(pixel, header.masks[2]), alpha);
}

QRgb Pixel(const THeader& header, const uchar* row, qint64 x) {
    switch (header.bitCount) {
    case 1:
    case 4:
    case 8: {
        const qint64 bit = x * header.bitCount;
        const int index =
            (row[bit / 8] >> (8 - header.bitCount - bit % 8)) & ((1 << header.bitCount) - 1);
        return index < header.colors.size() ? header.colors[index] : qRgb(0, 0, 0);
    }
    case 16:
        return MaskedPixel(header, row[2 * x] | row[2 * x + 1] << 8);
    case 24:
        return qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: {
        const quint32 pixel =
            row[4 * x] | row[4 * x + 1] << 8 | row[4 * x + 2] << 16 | quint32(row[4 * x + 3]) << 24;
        return MaskedPixel(header, pixel);
    }
    }
}

QImage DecodeRows(THeader header, TByteView bits) {
    if (header.compression == kJpeg || header.compression == kPng)
        return Dib::DecodeImageFile(bits.Bytes());
    if (header.compression == kRgb && header.bitCount == 16)
        header.masks = {0x7C00, 0x03E0, 0x001F, 0};
    if (header.compression == kRgb && header.bitCount == 32)
        header.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    const qint64 stride = header.Stride();
    if (!bits.Has(0, stride * header.height))
        return {};
    QImage image(int(header.width), int(header.height), QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    const auto* data = reinterpret_cast<const uchar*>(bits.Bytes().data());
    for (qint64 y = 0; y < header.height; ++y) {
        const uchar* row = data + stride * (header.topDown ? y : header.height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (qint64 x = 0; x < header.width; ++x)
            out[x] = Pixel(header, row, x);
    }
    return image;
}

QImage Opaque(const QImage& image) {
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

namespace Dib {

QImage Decode(TByteView info, TByteView bits) {
    const std::optional<THeader> header = ReadHeader(info);
    return header ? Opaque(DecodeRows(*header, bits)) : QImage();
}

QImage DecodePacked(TByteView dib) {
    const std::optional<THeader> header = ReadHeader(dib);
    if (!header || !dib.Has(header->size, 0))
        return {};
    return Opaque(DecodeRows(*header, dib.Sub(header->size)));
}

QImage DecodeIcon(TByteView dib) {
    std::optional<THeader> header = ReadHeader(dib);
    if (!header || header->height % 2 != 0 || !dib.Has(header->size, 0) ||
        header->compression != kRgb)
        return {};
    header->height /= 2;
    const TByteView rows = dib.Sub(header->size);
    QImage image = DecodeRows(*header, rows);
    if (image.isNull())
        return image;
    bool hasAlpha = false;
    for (int y = 0; y < image.height() && header->bitCount == 32 && !hasAlpha; ++y)
        for (int x = 0; x < image.width() && !hasAlpha; ++x)
            hasAlpha = qAlpha(image.pixel(x, y)) != 0;
    if (hasAlpha)
        return image;
    // Entries whose mask was left out are shown whole.
    const qint64 maskStride = (header->width + 31) / 32 * 4;
    const qint64 maskAt = header->Stride() * header->height;
    const bool hasMask = rows.Has(maskAt, maskStride * header->height);
    const auto* mask = reinterpret_cast<const uchar*>(rows.Bytes().data()) + maskAt;
    for (int y = 0; y < image.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uchar* maskRow = mask + maskStride * (header->height - 1 - y);
        for (int x = 0; x < image.width(); ++x) {
            const bool clear = hasMask && (maskRow[x / 8] >> (7 - x % 8) & 1);
            out[x] = clear ? qRgba(0, 0, 0, 0) : (out[x] | 0xFF000000);
        }
    }
    return image;
}

qint64 DeclaredPixels(TByteView info) {
    const std::optional<THeader> header = ReadHeader(info);
    return header ? header->width * header->height : 0;
}

QImage DecodeImageFile(QByteArrayView file) {
    QByteArray whole = file.toByteArray();
    QBuffer sniffed(&whole);
    sniffed.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&sniffed);
    if (format != "png" && format != "jpeg")
        return {};
    std::optional<QByteArray> bytes = PictureEnd::Readable(format, whole);
    if (!bytes)
        return {};
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > MaxPixels)
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace Dib
