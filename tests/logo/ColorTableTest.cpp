#include "logo/ColorTable.h"
#include "runtime/Color.h"

#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Which of red, green and blue stand out of a colour's grey share, brightness aside: none for
// black, greys and white.
int Hue(QRgb color) {
    const int grey = std::min({qRed(color), qGreen(color), qBlue(color)});
    return (qRed(color) > grey) << 2 | (qGreen(color) > grey) << 1 | (qBlue(color) > grey);
}

int Brightness(QRgb color) {
    return qRed(color) + qGreen(color) + qBlue(color);
}

} // namespace

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

// The grid numbers its colours in the platform's order, text mode in its own. A cell must show
// at boot the colour the user picked: the text-mode colour of the same hue, and of two grid
// colours of one hue the brighter must stay the brighter (silver and grey, red and maroon).
TEST(ColorTable, GridColoursBecomeTheTextModeColoursOfTheSameHue) {
    const QList<QRgb>& grid = StandardPalette16();
    const QList<QRgb>& text = VgaTextPalette();
    const auto shown = [&](int index) { return text[TColorTable::AttributeForGridIndex(index)]; };
    QSet<int> attributes;
    for (int i = 0; i < 16; ++i) {
        const int attribute = TColorTable::AttributeForGridIndex(i);
        ASSERT_TRUE(attribute >= 0 && attribute < 16) << i;
        attributes.insert(attribute);
        EXPECT_EQ(Hue(shown(i)), Hue(grid[i])) << i;
        for (int j = 0; j < 16; ++j) {
            if (Hue(grid[j]) == Hue(grid[i]) && Brightness(grid[j]) < Brightness(grid[i])) {
                EXPECT_LT(Brightness(shown(j)), Brightness(shown(i))) << j << " below " << i;
            }
        }
    }
    EXPECT_EQ(attributes.size(), 16) << "every text-mode colour can be picked";
    EXPECT_EQ(TColorTable::AttributeForGridIndex(-1), -1) << "indices outside 0..15 pass";
    EXPECT_EQ(TColorTable::AttributeForGridIndex(16), 16);
}

TEST(ColorTable, AnAttributeShowsInTheGridColourOfItsForeground) {
    EXPECT_EQ(TColorTable::GridIndexForAttribute(0x0C), 9) << "light red is the grid's red";
    EXPECT_EQ(TColorTable::GridIndexForAttribute(0x1C), 9) << "the background is not shown";
    EXPECT_EQ(TColorTable::GridIndexForAttribute(0xF0), 0);
}
