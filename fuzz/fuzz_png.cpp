// Any bytes offered as a plain PNG: either refused, or read to a picture within the limits, every
// pixel opaque. The bytes are offered twice: as they are, and with every chunk's checksum made
// right, so that the fuzzer's changes reach what lies behind the checksums.
#include "runtime/PngReader.h"

#include <QByteArray>
#include <QtEndian>
#include <cstdint>
#include <cstdlib>
#include <zlib.h>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

QByteArray WithRightChecksums(QByteArray bytes) {
    for (qsizetype at = 8; bytes.size() - at >= 12;) {
        const quint32 length = qFromBigEndian<quint32>(bytes.constData() + at);
        if (length > quint32(bytes.size() - at - 12))
            break;
        const uLong crc =
            crc32(0, reinterpret_cast<const Bytef*>(bytes.constData() + at + 4), uInt(length + 4));
        qToBigEndian<quint32>(quint32(crc), bytes.data() + at + 8 + length);
        at += 12 + qsizetype(length);
    }
    return bytes;
}

void Read(QByteArrayView bytes) {
    const std::optional<TRgbPicture> picture = PngReader::OpaquePixels(bytes, kWidth, kHeight);
    if (!picture)
        return;
    if (picture->width < 1 || picture->width > kWidth || picture->height < 1 ||
        picture->height > kHeight ||
        picture->pixels.size() != std::size_t(picture->width) * std::size_t(picture->height))
        std::abort();
    for (const std::uint32_t pixel : picture->pixels)
        if (pixel >> 24 != 0xFF)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    Read(bytes);
    Read(WithRightChecksums(bytes.toByteArray()));
    return 0;
}
