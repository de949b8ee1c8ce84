#include "rom/BitReader.h"

#include "rom/LzhError.h"

unsigned TBitReader::Peek(int count) const {
    const qint64 byte = position_ >> 3;
    std::uint32_t window = 0;
    for (int i = 0; i < 3; ++i) {
        window <<= 8;
        if (byte + i < bytes_.size())
            window |= std::uint8_t(bytes_[byte + i]);
    }
    const int used = int(position_ & 7);
    return (window >> (24 - used - count)) & ((1u << count) - 1);
}

void TBitReader::Skip(int count) {
    position_ += count;
    if (position_ > qint64(bytes_.size()) * 8)
        throw ELzhError(QStringLiteral("the packed data ends too early"));
}
