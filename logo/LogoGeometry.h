#ifndef VARNEL_LOGO_LOGOGEOMETRY_H
#define VARNEL_LOGO_LOGOGEOMETRY_H

// The boot logo is 17 × 9 text-mode characters of 8 × 14 pixels. In the preview each cell is
// followed by a one-pixel grid line, so cell (c, r) starts at (9c, 15r).
namespace LogoGeometry {

inline constexpr int CellWidth = 8;
// Also the height of a character's glyph: one byte a pixel line.
inline constexpr int CellHeight = 14;
inline constexpr int Columns = 17;
inline constexpr int Rows = 9;
inline constexpr int Cells = Columns * Rows;
inline constexpr int Width = Columns * CellWidth; // 136
inline constexpr int Height = Rows * CellHeight;  // 126
// A preview cell with the grid line after it.
inline constexpr int PreviewCellWidth = CellWidth + 1;          // 9
inline constexpr int PreviewCellHeight = CellHeight + 1;        // 15
inline constexpr int PreviewWidth = Columns * PreviewCellWidth; // 153
inline constexpr int PreviewHeight = Rows * PreviewCellHeight;  // 135

// Every saved logo carries the program's mark in its bottom-right cell, on five pixel lines
// from this one.
inline constexpr int MarkerColumn = Columns - 1;
inline constexpr int MarkerRow = Rows - 1;
inline constexpr int MarkerFirstLine = 7;

inline constexpr int PreviewX(int x) {
    return x + x / CellWidth;
}
inline constexpr int PreviewY(int y) {
    return y + y / CellHeight;
}

} // namespace LogoGeometry

#endif
