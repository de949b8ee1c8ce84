#include "runtime/BmpFile.h"

#include <QtEndian>

namespace {

using BmpFile::FileHeaderSize;
using BmpFile::InfoHeaderSize;

class TLittleEndian {
public:
    explicit TLittleEndian(QByteArray& bytes) : bytes_(bytes) {}
    void Put16(std::uint16_t value) { Put(qToLittleEndian(value)); }
    void Put32(std::uint32_t value) { Put(qToLittleEndian(value)); }

private:
    template <typename T> void Put(T value) {
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    QByteArray& bytes_;
};

qsizetype RowBytes(const BmpFile::TLayout& layout) {
    return (qsizetype(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
}

void PutHeaders(TLittleEndian& out, const BmpFile::TLayout& layout, qsizetype pixelBytes) {
    const auto colors = std::uint32_t(layout.palette.size());
    const std::uint32_t offset = FileHeaderSize + InfoHeaderSize + 4 * colors;
    out.Put16(0x4D42); // "BM"
    out.Put32(std::uint32_t(offset + pixelBytes));
    out.Put32(0);
    out.Put32(offset);
    out.Put32(InfoHeaderSize);
    out.Put32(std::uint32_t(layout.width));
    out.Put32(std::uint32_t(layout.height));
    out.Put16(1);
    out.Put16(std::uint16_t(layout.bitsPerPixel));
    out.Put32(0); // no compression
    out.Put32(std::uint32_t(pixelBytes));
    out.Put32(std::uint32_t(layout.dotsPerMeterX));
    out.Put32(std::uint32_t(layout.dotsPerMeterY));
    out.Put32(colors);
    out.Put32(colors);
    for (const std::uint32_t rgb : layout.palette)
        out.Put32(rgb & 0x00FFFFFF); // blue, green, red, zero
}

} // namespace

QByteArray BmpFile::Write(const TLayout& layout, const TRowFill& fill) {
    const qsizetype rowBytes = RowBytes(layout);
    const qsizetype pixelBytes = rowBytes * layout.height;
    QByteArray bytes;
    bytes.reserve(FileHeaderSize + InfoHeaderSize + 4 * qsizetype(layout.palette.size()) +
                  pixelBytes);
    TLittleEndian out(bytes);
    PutHeaders(out, layout, pixelBytes);
    const qsizetype pixels = bytes.size();
    bytes.resize(pixels + pixelBytes, '\0');
    auto* rows = reinterpret_cast<std::uint8_t*>(bytes.data() + pixels);
    for (int y = 0; y < layout.height; ++y)
        fill(y, rows + (layout.height - 1 - y) * rowBytes);
    return bytes;
}

QByteArray BmpFile::Indexed(const TIndexedPicture& picture) {
    TLayout layout;
    layout.width = picture.width;
    layout.height = picture.height;
    layout.bitsPerPixel = picture.BitsPerPixel();
    layout.palette = picture.palette;
    return Write(layout, [&](int y, std::uint8_t* row) {
        PackIndices(&picture.indices[std::size_t(y) * std::size_t(picture.width)], picture.width,
                    layout.bitsPerPixel, row);
    });
}
