#include "logo/AutoColour.h"
#include "logo/ColorTable.h"
#include "runtime/Bitmap.h"

#include <gtest/gtest.h>

namespace {

bool InRedShape(int x, int y) {
    return x >= 3 && x < 30 && y >= 5 && y < 40 && (x + y) % 3 != 0;
}
bool InBlueShape(int x, int y) {
    return x >= 90 && x < 130 && y >= 60 && y < 120 && (x - 90) * (x - 90) + (y - 90) < 900;
}

} // namespace

TEST(AutoColour, RedAndBlueShapesGetTheirTextColoursAndExactlyTheirPixelsLit) {
    TBitmap area(136, 126, TPixelFormat::pf24bit);
    for (int y = 0; y < 126; ++y)
        for (int x = 0; x < 136; ++x) {
            if (InRedShape(x, y))
                area.Canvas().SetPixel(x, y, FromQRgb(qRgb(255, 0, 0)));
            else if (InBlueShape(x, y))
                area.Canvas().SetPixel(x, y, FromQRgb(qRgb(0, 0, 255)));
            else if ((x * 3 + y) % 4 == 0)
                area.Canvas().SetPixel(x, y, FromQRgb(qRgb(12, 9, 20))); // a photo's dark noise
        }
    TColorTable colors;
    const TBitmap drawing = AutoColour(area, colors, false);
    for (int y = 0; y < 126; ++y)
        for (int x = 0; x < 136; ++x) {
            const bool lit = InRedShape(x, y) || InBlueShape(x, y);
            ASSERT_EQ(drawing.Canvas().Pixel(x, y), lit ? clWhite : clBlack) << x << "," << y;
        }
    EXPECT_EQ(colors.At(0, 0), 4) << "red";
    EXPECT_EQ(colors.At(3, 2), 4);
    EXPECT_EQ(colors.At(12, 5), 1) << "blue";
    EXPECT_EQ(colors.At(13, 6), 1);
    EXPECT_EQ(colors.At(8, 4), 15) << "a cell of noise alone lights nothing and keeps 15";
}

TEST(AutoColour, ACellOfMixedColoursLightsOnlyWhatTheBestColourShowsBetterThanBlack) {
    TBitmap area(136, 126, TPixelFormat::pf24bit);
    // Yellow beside dim grey: the grey lies nearer black than the cell's yellowish average.
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 8; ++x)
            area.Canvas().SetPixel(x, y, FromQRgb(x < 6 ? qRgb(250, 250, 80) : qRgb(40, 40, 40)));
    // Dim red alone lies nearer black than red: lighting it would show the cell worse.
    area.Canvas().SetPixel(20, 3, FromQRgb(qRgb(60, 0, 0)));
    TColorTable colors;
    const TBitmap drawing = AutoColour(area, colors, false);
    EXPECT_EQ(colors.At(0, 0), 14) << "yellow";
    EXPECT_EQ(drawing.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(drawing.Canvas().Pixel(7, 13), clBlack);
    EXPECT_EQ(drawing.Canvas().Pixel(20, 3), clBlack);
    EXPECT_EQ(colors.At(2, 0), 15);
    EXPECT_EQ(drawing.Width(), 137) << "the editor's drawing";
}
