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

// The length of a logo of `columns` × `rows` cells, with the trailing zero bytes.
inline constexpr long FileSize(int columns, int rows) {
    return HeaderSize + long(columns) * rows * BytesPerCell + TrailerSize;
}

// Where cell (column, row) keeps its attribute and its glyph's pixel line `line` in a logo
// `columns` cells wide and `rows` high (the editor's size unless told).
inline constexpr long AttributeOffset(int column, int row, int columns = LogoGeometry::Columns) {
    return HeaderSize + long(row) * columns + column;
}
inline constexpr long GlyphOffset(int column, int row, int line,
                                  int columns = LogoGeometry::Columns,
                                  int rows = LogoGeometry::Rows) {
    const long cell = long(row) * columns + column;
    return HeaderSize + long(columns) * rows + cell * LogoGeometry::CellHeight + line;
}

// The mark: light green on black, "VR" on the marker cell's pixel lines from MarkerFirstLine.
inline constexpr std::uint8_t MarkerAttribute = 0x0A;
inline constexpr std::array<std::uint8_t, 5> MarkerGlyph = {0xAC, 0xAA, 0xAC, 0xAA, 0x4A};

struct FixedByte {
    long offset = 0;
    std::uint8_t value = 0;
};

// Written over the finished file in this order: the attribute of the bottom-right cell, then its
// glyph lines. A logo of any size carries the mark in its own bottom-right cell.
inline constexpr std::array<FixedByte, 1 + MarkerGlyph.size()> FixedBytesFor(int columns,
                                                                             int rows) {
    std::array<FixedByte, 1 + MarkerGlyph.size()> bytes{};
    bytes[0] = {AttributeOffset(columns - 1, rows - 1, columns), MarkerAttribute};
    for (std::size_t i = 0; i < MarkerGlyph.size(); ++i)
        bytes[i + 1] = {GlyphOffset(columns - 1, rows - 1, LogoGeometry::MarkerFirstLine + int(i),
                                    columns, rows),
                        MarkerGlyph[i]};
    return bytes;
}

// The mark of a logo of the editor's size.
inline constexpr std::array<FixedByte, 1 + MarkerGlyph.size()> FixedBytes =
    FixedBytesFor(LogoGeometry::Columns, LogoGeometry::Rows);
static_assert(FixedBytes[0].offset == 154 && FixedBytes[1].offset == 2290 &&
              FixedBytes[5].offset == 2294);

} // namespace EpaFormat

#endif
