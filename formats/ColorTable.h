#ifndef VARNEL_FORMATS_COLORTABLE_H
#define VARNEL_FORMATS_COLORTABLE_H

#include <array>
#include <cstdint>

// The logo's 17 × 9 VGA attributes, one a character cell, kept column by column: entry
// (c, r) is element c × 9 + r.
class TColorTable {
public:
    static constexpr int Columns = 17;
    static constexpr int Rows = 9;

    std::int32_t At(int column, int row) const { return entries_[Index(column, row)]; }
    void Set(int column, int row, std::int32_t value) { entries_[Index(column, row)] = value; }
    void Fill(std::int32_t value) { entries_.fill(value); }
    static bool Contains(int column, int row) {
        return column >= 0 && column < Columns && row >= 0 && row < Rows;
    }
    const std::array<std::int32_t, Columns * Rows>& Entries() const { return entries_; }

private:
    static int Index(int column, int row) { return column * Rows + row; }

    std::array<std::int32_t, Columns * Rows> entries_{};
};

#endif
