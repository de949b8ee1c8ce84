#include "runtime/PngChunks.h"

#include "runtime/PngFile.h"

#include <QtEndian>
#include <array>

namespace {

using PngFile::Signature;

bool Drawing(QByteArrayView type) {
    static constexpr std::array<QByteArrayView, 5> kinds = {"IHDR", "PLTE", "tRNS", "IDAT", "IEND"};
    for (const QByteArrayView kind : kinds)
        if (type == kind)
            return true;
    return false;
}

} // namespace

namespace PngChunks {

std::optional<TChunk> At(QByteArrayView file, qsizetype at) {
    if (file.size() - at < Framing)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(file.data() + at);
    if (length > 0x7FFFFFFFu || length > file.size() - at - Framing)
        return std::nullopt;
    return TChunk{file.sliced(at + 4, 4), file.sliced(at + 8, length), at + Framing + length};
}

std::optional<QByteArray> Drawn(const QByteArray& file) {
    if (!file.startsWith(Signature))
        return std::nullopt;
    // Made only once a chunk is left out: a file of drawing chunks alone is its own drawing,
    // shared rather than copied.
    QByteArray drawn;
    bool cut = false;
    for (qsizetype at = Signature.size();;) {
        const std::optional<TChunk> chunk = At(file, at);
        if (!chunk || (at == Signature.size() && chunk->type != "IHDR"))
            return std::nullopt;
        if (!Drawing(chunk->type) && !cut) {
            drawn.reserve(file.size());
            drawn.append(file.constData(), at);
            cut = true;
        } else if (Drawing(chunk->type) && cut) {
            drawn.append(file.constData() + at, chunk->next - at);
        }
        if (chunk->type == "IEND")
            return cut ? drawn : chunk->next == file.size() ? file : file.first(chunk->next);
        at = chunk->next;
    }
}

} // namespace PngChunks
