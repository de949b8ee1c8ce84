#ifndef VARNEL_FORMATS_EPAFORMAT_H
#define VARNEL_FORMATS_EPAFORMAT_H

#include <array>
#include <cstdint>

// The version-1 EPA logo file: width and height in characters, one attribute a cell row by row,
// 14 bytes of glyph a cell in the same order, then 70 zero bytes.
namespace EpaFormat {

inline constexpr int HeaderSize = 2;
inline constexpr int GlyphHeight = 14;
inline constexpr int TrailerSize = 70;
inline constexpr int LogoFileSize = 2367; // 17 × 9 cells

struct FixedByte {
    long offset;
    std::uint8_t value;
};

// Written over the finished file in this order: the bottom-right cell is light green and shows
// "VR" on its pixel lines 7 to 11.
inline constexpr std::array<FixedByte, 6> FixedBytes = {
    {{154, 0x0A}, {2290, 0xAC}, {2291, 0xAA}, {2292, 0xAC}, {2293, 0xAA}, {2294, 0x4A}}};

} // namespace EpaFormat

#endif
