#include "runtime/PngChunks.h"

#include <QtEndian>
#include <array>

namespace {

constexpr QByteArrayView kSignature("\x89PNG\r\n\x1a\n", 8);
constexpr qsizetype kFraming = 12; // length, type and checksum around a chunk's data

bool Drawing(QByteArrayView type) {
    static constexpr std::array<QByteArrayView, 5> kinds = {"IHDR", "PLTE", "tRNS", "IDAT", "IEND"};
    for (const QByteArrayView kind : kinds)
        if (type == kind)
            return true;
    return false;
}

} // namespace

namespace PngChunks {

std::optional<QByteArray> Drawn(QByteArrayView file) {
    if (!file.startsWith(kSignature))
        return std::nullopt;
    QByteArray drawn = kSignature.toByteArray();
    for (qsizetype at = kSignature.size(); file.size() - at >= kFraming;) {
        const qint64 length = qFromBigEndian<quint32>(file.data() + at);
        if (length > file.size() - at - kFraming)
            return std::nullopt;
        const QByteArrayView type = file.sliced(at + 4, 4);
        if (at == kSignature.size() && type != "IHDR")
            return std::nullopt;
        const qsizetype next = at + kFraming + length;
        if (Drawing(type))
            drawn.append(file.sliced(at, next - at));
        if (type == "IEND")
            return drawn;
        at = next;
    }
    return std::nullopt;
}

} // namespace PngChunks
