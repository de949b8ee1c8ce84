#ifndef VARNEL_ROM_HUFFMANCODE_H
#define VARNEL_ROM_HUFFMANCODE_H

#include <cstdint>
#include <vector>

// Building the canonical prefix code that THuffmanTable reads.
namespace HuffmanCode {

// Code lengths of at most `maxLength` bits for symbols seen `counts[s]` times; unseen symbols get
// 0. A single seen symbol gets length 1 (the caller may state it as a one-symbol code instead).
std::vector<std::uint8_t> Lengths(const std::vector<std::uint32_t>& counts, int maxLength);

// The code of every symbol from its length, in the canonical order.
std::vector<std::uint16_t> Codes(const std::vector<std::uint8_t>& lengths);

} // namespace HuffmanCode

#endif
