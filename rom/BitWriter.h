#ifndef VARNEL_ROM_BITWRITER_H
#define VARNEL_ROM_BITWRITER_H

#include <QByteArray>
#include <cstdint>

// Bits of a packed LHA stream, most significant first; the last byte is filled with zeros.
class TBitWriter {
public:
    // The low `count` (0..16) bits of `bits`.
    void Put(unsigned bits, int count) {
        pending_ = (pending_ << count) | (bits & ((1u << count) - 1));
        pendingCount_ += count;
        while (pendingCount_ >= 8) {
            pendingCount_ -= 8;
            bytes_.append(char(pending_ >> pendingCount_));
        }
        pending_ &= (1u << pendingCount_) - 1;
    }
    qint64 BitCount() const { return qint64(bytes_.size()) * 8 + pendingCount_; }
    QByteArray Finish() {
        if (pendingCount_ > 0)
            Put(0, 8 - pendingCount_);
        return bytes_;
    }

private:
    QByteArray bytes_;
    std::uint32_t pending_ = 0;
    int pendingCount_ = 0;
};

#endif
