#ifndef VARNEL_FORMATS_STREAMBYTES_H
#define VARNEL_FORMATS_STREAMBYTES_H

#include "runtime/InOutError.h"

#include <QByteArray>
#include <QIODevice>
#include <algorithm>
#include <optional>

// The stream's bytes from its position to its end, or nothing when there are more than `limit`.
// Read a piece at a time, so that memory follows what the stream holds, not the limit.
inline std::optional<QByteArray> ReadAtMost(QIODevice& stream, qint64 limit) {
    if (!stream.isSequential() && stream.size() - stream.pos() > limit)
        return std::nullopt;
    constexpr qint64 kPiece = qint64(1) << 16;
    QByteArray bytes;
    while (bytes.size() <= limit) {
        const QByteArray piece = stream.read(std::min(kPiece, limit + 1 - bytes.size()));
        if (piece.isEmpty())
            break;
        bytes.append(piece);
    }
    if (bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

// Writes all of `bytes` or raises EInOutError.
inline void WriteAll(QIODevice& stream, const QByteArray& bytes) {
    if (stream.write(bytes) != bytes.size())
        throw EInOutError(101);
}

#endif
