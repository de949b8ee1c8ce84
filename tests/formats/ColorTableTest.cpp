#include "formats/ColorTable.h"

#include <gtest/gtest.h>

TEST(ColorTable, KeepsEntriesColumnByColumn) {
    TColorTable table;
    table.Fill(15);
    table.Set(1, 0, 4);
    table.Set(0, 1, 2);
    table.Set(16, 8, 9);
    EXPECT_EQ(table.Entries()[9], 4) << "(1, 0) is element 1 × 9 + 0";
    EXPECT_EQ(table.Entries()[1], 2);
    EXPECT_EQ(table.Entries()[152], 9);
    EXPECT_EQ(table.At(5, 5), 15);
    EXPECT_TRUE(TColorTable::Contains(16, 8));
    EXPECT_FALSE(TColorTable::Contains(17, 0));
    EXPECT_FALSE(TColorTable::Contains(0, 9));
}

TEST(ColorTable, GridIndicesBecomeTextModeAttributes) {
    const int expected[16] = {0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(TColorTable::AttributeForGridIndex(i), expected[i]) << i;
        EXPECT_EQ(TColorTable::AttributeForGridIndex(expected[i]), i)
            << "the swap is its own inverse";
    }
}

TEST(ColorTable, AnAttributeShowsInTheGridColourOfItsForeground) {
    EXPECT_EQ(TColorTable::GridIndexForAttribute(0x0C), 9) << "light red is the grid's red";
    EXPECT_EQ(TColorTable::GridIndexForAttribute(0x1C), 9) << "the background is not shown";
    EXPECT_EQ(TColorTable::GridIndexForAttribute(0xF0), 0);
}
