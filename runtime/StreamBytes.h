#ifndef VARNEL_RUNTIME_STREAMBYTES_H
#define VARNEL_RUNTIME_STREAMBYTES_H

#include "runtime/Exception.h"
#include "runtime/InOutError.h"
#include "runtime/RegularFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <optional>

// The stream's bytes from its position to its end, or nothing when there are more than `limit`.
// Read a piece at a time, so that memory follows what the stream holds, not the limit. A whole
// buffer is shared rather than copied: a picture held in memory, such as one linked into the
// program, is read where it lies.
inline std::optional<QByteArray> ReadAtMost(QIODevice& stream, qint64 limit) {
    if (!stream.isSequential() && stream.size() - stream.pos() > limit)
        return std::nullopt;
    if (auto* buffer = qobject_cast<QBuffer*>(&stream);
        buffer && buffer->isReadable() && buffer->pos() == 0) {
        buffer->seek(buffer->size());
        return buffer->data();
    }
    constexpr qint64 kPiece = qint64(1) << 16;
    QByteArray bytes;
    if (!stream.isSequential())
        bytes.reserve(stream.size() - stream.pos());
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

// The bytes of the file `fileName`, or nothing when it holds more than `limit`. Only a regular
// file is read (see RegularFile::Open); one that cannot be opened raises an error naming it.
inline std::optional<QByteArray> ReadFileAtMost(const QString& fileName, qint64 limit) {
    QFile file(fileName);
    if (const QString failure = RegularFile::Open(file); !failure.isEmpty())
        throw Exception(QStringLiteral("Cannot open \"%1\": %2").arg(fileName, failure));
    return ReadAtMost(file, limit);
}

// Writes all of `bytes` or raises EInOutError.
inline void WriteAll(QIODevice& stream, const QByteArray& bytes) {
    if (stream.write(bytes) != bytes.size())
        throw EInOutError(101);
}

#endif
