#include "rom/Lh5Decoder.h"

#include "rom/BitReader.h"
#include "rom/HuffmanTable.h"
#include "rom/Lh5Format.h"
#include "rom/LzhError.h"

#include <optional>
#include <vector>

using namespace Lh5Format;

namespace {
// Memory is taken for the whole stated size at once; no module of a BIOS image is larger.
constexpr qint64 MaxUnpacked = qint64(1) << 20;
} // namespace

namespace {

// How many code lengths a table states; a count of 0 is followed instead by the one symbol of a
// code that takes no bits.
struct TCount {
    int count = 0;
    std::optional<THuffmanTable> single;
};

TCount ReadCount(TBitReader& bits, int symbols, int countBits) {
    const int count = int(bits.Take(countBits));
    if (count == 0) {
        const unsigned symbol = bits.Take(countBits);
        if (int(symbol) >= symbols)
            throw ELzhError(QStringLiteral("a code names a symbol it does not have"));
        return {0, THuffmanTable::Single(symbol)};
    }
    if (count > symbols)
        throw ELzhError(QStringLiteral("a code table is longer than its alphabet"));
    return {count, std::nullopt};
}

// The code of the code lengths, or that of the distances: a count, then each length in three
// bits (7 and above continued in unary). A count of 0 states one symbol instead.
THuffmanTable ReadShortCode(TBitReader& bits, int symbols, int countBits, int skipAfter) {
    const TCount count = ReadCount(bits, symbols, countBits);
    if (count.single)
        return *count.single;
    std::vector<std::uint8_t> lengths(static_cast<std::size_t>(symbols));
    int i = 0;
    while (i < count.count) {
        unsigned length = bits.Take(3);
        if (length == LongLength)
            while (bits.Take(1) == 1)
                if (++length > THuffmanTable::MaxLength)
                    throw ELzhError(QStringLiteral("a code is longer than 16 bits"));
        lengths[std::size_t(i++)] = std::uint8_t(length);
        if (i == skipAfter)
            i += int(bits.Take(2)); // the skipped lengths stay 0
    }
    return THuffmanTable(lengths);
}

THuffmanTable ReadLiteralLengthCode(TBitReader& bits, const THuffmanTable& lengthCode) {
    const TCount count = ReadCount(bits, LiteralLengthSymbols, LiteralLengthCountBits);
    if (count.single)
        return *count.single;
    std::vector<std::uint8_t> lengths(LiteralLengthSymbols);
    int i = 0;
    while (i < count.count) {
        const unsigned c = lengthCode.Decode(bits);
        if (c > 2) {
            lengths[std::size_t(i++)] = std::uint8_t(c - 2);
            continue;
        }
        const int unused = c == 0 ? 1 : c == 1 ? int(bits.Take(4)) + 3 : int(bits.Take(9)) + 20;
        if (i + unused > count.count)
            throw ELzhError(QStringLiteral("a run of unused codes passes the table's end"));
        i += unused;
    }
    return THuffmanTable(lengths);
}

std::size_t Distance(TBitReader& bits, const THuffmanTable& distanceCode) {
    const unsigned distanceClass = distanceCode.Decode(bits);
    if (distanceClass <= 1)
        return distanceClass + 1;
    return (std::size_t(1) << (distanceClass - 1)) + bits.Take(int(distanceClass) - 1) + 1;
}

class TBlockReader {
public:
    TBlockReader(TBitReader& bits, char* out, qint64 size) : bits_(bits), out_(out), size_(size) {}

    bool Done() const { return written_ == size_; }

    void Read() {
        const unsigned codes = bits_.Take(16);
        if (codes == 0)
            throw ELzhError(QStringLiteral("a block holds no codes"));
        const THuffmanTable lengthCode =
            ReadShortCode(bits_, LengthSymbols, LengthCountBits, LengthSkipAfter);
        const THuffmanTable literals = ReadLiteralLengthCode(bits_, lengthCode);
        const THuffmanTable distances =
            ReadShortCode(bits_, DistanceSymbols, DistanceCountBits, -1);
        for (unsigned n = 0; n < codes && written_ < size_; ++n)
            Step(literals, distances);
    }

private:
    void Step(const THuffmanTable& literals, const THuffmanTable& distances) {
        const unsigned symbol = literals.Decode(bits_);
        if (symbol < 256) {
            out_[written_++] = char(symbol);
            return;
        }
        const qint64 length = symbol - 256 + MinMatch;
        const std::size_t distance = Distance(bits_, distances);
        if (qint64(distance) > written_)
            throw ELzhError(QStringLiteral("a match reaches before the start of the data"));
        if (written_ + length > size_)
            throw ELzhError(QStringLiteral("the data runs past its stated size"));
        for (qint64 i = 0; i < length; ++i, ++written_)
            out_[written_] = out_[written_ - qint64(distance)];
    }

    TBitReader& bits_;
    char* out_;
    qint64 size_;
    qint64 written_ = 0;
};

} // namespace

QByteArray Lh5Decode(const QByteArray& packed, qint64 size) {
    if (size < 0 || size > MaxUnpacked)
        throw ELzhError(QStringLiteral("it claims more than 1 MiB of data"));
    QByteArray out(size, Qt::Uninitialized);
    TBitReader bits(packed);
    TBlockReader blocks(bits, out.data(), size);
    while (!blocks.Done())
        blocks.Read();
    return out;
}
