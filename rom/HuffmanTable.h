#ifndef VARNEL_ROM_HUFFMANTABLE_H
#define VARNEL_ROM_HUFFMANTABLE_H

#include <cstdint>
#include <vector>

class TBitReader;

// Reads the symbols of one canonical prefix code: shorter codes first, and within one length the
// smaller symbol first. Codes are at most 16 bits long.
class THuffmanTable {
public:
    static constexpr int MaxLength = 16;

    // A code of one symbol that takes no bits at all, as a stream states it.
    static THuffmanTable Single(unsigned symbol);
    // `lengths[s]` is the code length of symbol s, 0 for an unused one. Lengths that claim more
    // codes than the bits hold raise an error; an incomplete code is read until a missing code
    // turns up, which raises one.
    explicit THuffmanTable(const std::vector<std::uint8_t>& lengths);

    unsigned Decode(TBitReader& bits) const;

private:
    THuffmanTable() = default;

    struct Entry {
        std::uint16_t symbol = 0;
        std::uint8_t length = 0; // 0: no code has these bits
    };
    int bits_ = 0;
    std::uint16_t single_ = 0;
    std::vector<Entry> entries_;
};

#endif
