#ifndef VARNEL_LOGO_COLORTABLE_H
#define VARNEL_LOGO_COLORTABLE_H

#include "logo/LogoGeometry.h"

#include <array>
#include <cstdint>

// The logo's 17 × 9 VGA attributes, one a character cell, kept column by column: entry
// (c, r) is element c × 9 + r.
class TColorTable {
public:
    std::int32_t At(int column, int row) const { return entries_[Index(column, row)]; }
    void Set(int column, int row, std::int32_t value) { entries_[Index(column, row)] = value; }
    void Fill(std::int32_t value) { entries_.fill(value); }
    static bool Contains(int column, int row) {
        return column >= 0 && column < LogoGeometry::Columns && row >= 0 &&
               row < LogoGeometry::Rows;
    }
    const std::array<std::int32_t, LogoGeometry::Cells>& Entries() const { return entries_; }
    bool operator==(const TColorTable&) const = default;

    // The colour grid orders its colours as the platform palette does (maroon is 1, navy 4);
    // text mode orders them the other way round for red and blue. Indices outside 0..15 pass.
    static std::int32_t AttributeForGridIndex(int index) {
        static constexpr std::array<std::int32_t, 16> attribute = {0, 4,  2,  6,  1, 5,  3,  7,
                                                                   8, 12, 10, 14, 9, 13, 11, 15};
        return index >= 0 && index < 16 ? attribute[std::size_t(index)] : index;
    }
    // The grid index showing an attribute's foreground (its low four bits): the swap above
    // undoes itself.
    static int GridIndexForAttribute(std::int32_t attribute) {
        return AttributeForGridIndex(attribute & 0x0F);
    }

private:
    static int Index(int column, int row) { return column * LogoGeometry::Rows + row; }

    std::array<std::int32_t, LogoGeometry::Cells> entries_{};
};

#endif
