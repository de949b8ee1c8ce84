#include "rom/Crc16.h"

#include <array>

namespace {

constexpr std::array<std::uint16_t, 256> MakeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned n = 0; n < 256; ++n) {
        unsigned value = n;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xA001 : value >> 1;
        table[n] = std::uint16_t(value);
    }
    return table;
}

constexpr std::array<std::uint16_t, 256> Table = MakeTable();

} // namespace

std::uint16_t Crc16(const QByteArray& bytes) {
    unsigned crc = 0;
    for (const char c : bytes)
        crc = Table[(crc ^ std::uint8_t(c)) & 0xFF] ^ (crc >> 8);
    return std::uint16_t(crc);
}
