#include "runtime/PictureEnd.h"

#include "runtime/PngChunks.h"

#include <QtEndian>

namespace {

constexpr uchar kMarker = 0xFF;
constexpr uchar kStartOfScan = 0xDA;
constexpr uchar kEndOfImage = 0xD9;

// Markers that stand alone, without a length: the start of the image, the restart markers and
// TEM.
bool StandsAlone(uchar marker) {
    return marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

} // namespace

namespace PictureEnd {

bool JpegComplete(const QByteArray& file) {
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    const qsizetype size = file.size();
    qsizetype at = 0;
    while (at + 1 < size) {
        if (bytes[at] != kMarker)
            return false;
        const uchar marker = bytes[at + 1];
        if (marker == kMarker) { // fill bytes before a marker
            ++at;
            continue;
        }
        if (StandsAlone(marker)) {
            at += 2;
            continue;
        }
        if (marker == kEndOfImage || at + 4 > size)
            return false;
        at += 2 + qFromBigEndian<quint16>(bytes + at + 2);
        if (marker == kStartOfScan)
            return file.indexOf(QByteArray("\xFF\xD9", 2), at) >= 0;
    }
    return false;
}

std::optional<QByteArray> Readable(const QByteArray& format, const QByteArray& file) {
    if (format == "png")
        return PngChunks::Drawn(file);
    if (format == "jpeg" && !JpegComplete(file))
        return std::nullopt;
    return file;
}

} // namespace PictureEnd
