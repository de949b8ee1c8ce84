#ifndef VARNEL_ROM_BITREADER_H
#define VARNEL_ROM_BITREADER_H

#include <QByteArray>
#include <cstdint>

// Bits of a packed LHA stream, most significant first. Looking past the end sees zeros, so that
// the last code of a stream can be looked up like any other; taking bits past the end is damage.
class TBitReader {
public:
    explicit TBitReader(const QByteArray& bytes) : bytes_(bytes) {}

    // The next `count` (1..16) bits without taking them.
    unsigned Peek(int count) const;
    // Raises an error when the stream holds fewer than `count` more bits.
    void Skip(int count);
    unsigned Take(int count) {
        const unsigned bits = Peek(count);
        Skip(count);
        return bits;
    }

private:
    const QByteArray& bytes_;
    qint64 position_ = 0; // in bits
};

#endif
