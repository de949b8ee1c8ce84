#ifndef VARNEL_RUNTIME_BYTEVIEW_H
#define VARNEL_RUNTIME_BYTEVIEW_H

#include <QByteArrayView>
#include <QtEndian>
#include <cstring>

// Raised by TByteView for a read outside its bytes. Readers of records catch it and skip the
// record it came from; it never leaves the picture classes.
struct EOutsideBytes {};

// Little-endian reads from a piece of a file, each checked against the piece's end, so that no
// count or offset a file claims can lead a read outside it.
class TByteView {
public:
    TByteView() = default;
    explicit TByteView(QByteArrayView bytes) : bytes_(bytes) {}

    qsizetype Size() const { return bytes_.size(); }
    QByteArrayView Bytes() const { return bytes_; }
    bool Has(qint64 offset, qint64 count) const {
        return offset >= 0 && count >= 0 && offset <= bytes_.size() &&
               count <= bytes_.size() - offset;
    }

    quint8 U8(qint64 offset) const { return static_cast<quint8>(*At(offset, 1)); }
    quint16 U16(qint64 offset) const { return qFromLittleEndian<quint16>(At(offset, 2)); }
    qint16 I16(qint64 offset) const { return qFromLittleEndian<qint16>(At(offset, 2)); }
    quint32 U32(qint64 offset) const { return qFromLittleEndian<quint32>(At(offset, 4)); }
    qint32 I32(qint64 offset) const { return qFromLittleEndian<qint32>(At(offset, 4)); }
    float F32(qint64 offset) const {
        const quint32 bits = U32(offset);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // `count` bytes from `offset`; the rest of the view when count is negative.
    TByteView Sub(qint64 offset, qint64 count = -1) const {
        if (count < 0)
            count = Has(offset, 0) ? bytes_.size() - offset : -1;
        return TByteView(QByteArrayView(At(offset, count), count));
    }

private:
    const char* At(qint64 offset, qint64 count) const {
        if (!Has(offset, count))
            throw EOutsideBytes{};
        return bytes_.data() + offset;
    }

    QByteArrayView bytes_;
};

#endif
