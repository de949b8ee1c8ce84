#include "rom/HuffmanTable.h"

#include "rom/BitReader.h"
#include "rom/LzhError.h"

#include <algorithm>

THuffmanTable THuffmanTable::Single(unsigned symbol) {
    THuffmanTable table;
    table.single_ = std::uint16_t(symbol);
    return table;
}

THuffmanTable::THuffmanTable(const std::vector<std::uint8_t>& lengths) {
    bits_ = lengths.empty() ? 0 : *std::max_element(lengths.begin(), lengths.end());
    if (bits_ > MaxLength)
        throw ELzhError(QStringLiteral("a code is longer than 16 bits"));
    if (bits_ == 0) {
        bits_ = 1; // every lookup then finds no code
        entries_.resize(2);
        return;
    }
    entries_.resize(std::size_t(1) << bits_);
    std::uint32_t next = 0; // the next code, left-aligned to bits_
    for (int length = 1; length <= bits_; ++length)
        for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
            if (lengths[symbol] != length)
                continue;
            const std::uint32_t span = std::uint32_t(1) << (bits_ - length);
            if (next + span > entries_.size())
                throw ELzhError(QStringLiteral("a code table claims more codes than it can hold"));
            std::fill_n(entries_.begin() + next, span,
                        Entry{std::uint16_t(symbol), std::uint8_t(length)});
            next += span;
        }
}

unsigned THuffmanTable::Decode(TBitReader& bits) const {
    if (entries_.empty())
        return single_;
    const Entry entry = entries_[bits.Peek(bits_)];
    if (entry.length == 0)
        throw ELzhError(QStringLiteral("the packed data uses a code its table lacks"));
    bits.Skip(entry.length);
    return entry.symbol;
}
