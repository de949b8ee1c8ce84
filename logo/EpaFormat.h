#ifndef VARNEL_LOGO_EPAFORMAT_H
#define VARNEL_LOGO_EPAFORMAT_H

#include "logo/LogoGeometry.h"

#include <array>
#include <cstdint>

// The version-1 EPA logo file: width and height in characters, one attribute a cell row by row,
// one glyph of CellHeight bytes a cell in the same order, then 70 zero bytes.
namespace EpaFormat {

inline constexpr int HeaderSize = 2;
inline constexpr int BytesPerCell = 1 + LogoGeometry::CellHeight;
inline constexpr int TrailerSize = 70;
// A logo of the editor's size.
inline constexpr int LogoFileSize = HeaderSize + LogoGeometry::Cells * BytesPerCell + TrailerSize;
static_assert(LogoFileSize == 2367);

// Where cell (column, row) keeps its attribute and its glyph's pixel line `line` in a logo of
// the editor's size.
inline constexpr long AttributeOffset(int column, int row) {
    return HeaderSize + long(row) * LogoGeometry::Columns + column;
}
inline constexpr long GlyphOffset(int column, int row, int line) {
    const long cell = long(row) * LogoGeometry::Columns + column;
    return HeaderSize + LogoGeometry::Cells + cell * LogoGeometry::CellHeight + line;
}

// The mark: light green on black, "VR" on the marker cell's pixel lines from MarkerFirstLine.
inline constexpr std::uint8_t MarkerAttribute = 0x0A;
inline constexpr std::array<std::uint8_t, 5> MarkerGlyph = {0xAC, 0xAA, 0xAC, 0xAA, 0x4A};

struct FixedByte {
    long offset = 0;
    std::uint8_t value = 0;
};

// Written over the finished file in this order: the marker cell's attribute, then its glyph lines.
inline constexpr std::array<FixedByte, 1 + MarkerGlyph.size()> FixedBytes = [] {
    using namespace LogoGeometry;
    std::array<FixedByte, 1 + MarkerGlyph.size()> bytes{};
    bytes[0] = {AttributeOffset(MarkerColumn, MarkerRow), MarkerAttribute};
    for (std::size_t i = 0; i < MarkerGlyph.size(); ++i)
        bytes[i + 1] = {GlyphOffset(MarkerColumn, MarkerRow, MarkerFirstLine + int(i)),
                        MarkerGlyph[i]};
    return bytes;
}();

} // namespace EpaFormat

#endif
