#include "runtime/PngChunks.h"

#include "runtime/PngFile.h"

#include <QtEndian>
#include <array>

namespace {

using PngFile::Signature;
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

std::optional<QByteArray> Drawn(const QByteArray& file) {
    if (!file.startsWith(Signature))
        return std::nullopt;
    // Made only once a chunk is left out: a file of drawing chunks alone is its own drawing,
    // shared rather than copied.
    QByteArray drawn;
    bool cut = false;
    for (qsizetype at = Signature.size(); file.size() - at >= kFraming;) {
        const qint64 length = qFromBigEndian<quint32>(file.constData() + at);
        if (length > file.size() - at - kFraming)
            return std::nullopt;
        const QByteArrayView type = QByteArrayView(file).sliced(at + 4, 4);
        if (at == Signature.size() && type != "IHDR")
            return std::nullopt;
        const qsizetype next = at + kFraming + length;
        if (!Drawing(type) && !cut) {
            drawn.reserve(file.size());
            drawn.append(file.constData(), at);
            cut = true;
        } else if (Drawing(type) && cut) {
            drawn.append(file.constData() + at, next - at);
        }
        if (type == "IEND")
            return cut ? drawn : next == file.size() ? file : file.first(next);
        at = next;
    }
    return std::nullopt;
}

} // namespace PngChunks
