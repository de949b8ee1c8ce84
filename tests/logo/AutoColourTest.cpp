#include "logo/AutoColour.h"
#include "logo/ColorTable.h"
#include "runtime/Bitmap.h"

#include <functional>
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

namespace {

TBitmap Area(const std::function<QRgb(int, int)>& color) {
    TBitmap area(136, 126, TPixelFormat::pf24bit);
    for (int y = 0; y < 126; ++y)
        for (int x = 0; x < 136; ++x)
            area.Canvas().SetPixel(x, y, FromQRgb(color(x, y)));
    return area;
}

QRgb Text(int colour) {
    return VgaTextPalette()[colour];
}

} // namespace

TEST(AutoColour, WithABackgroundACellOfTwoColoursIsReproducedExactly) {
    // Yellow on blue in cell (0, 0), blue on yellow in cell (1, 0): only one order is possible,
    // since a background is one of the first eight colours.
    const TBitmap area = Area([](int x, int y) {
        const bool inner = x % 8 >= 2 && x % 8 < 6 && y >= 3 && y < 11;
        const bool yellowInside = x < 8;
        return inner == yellowInside ? Text(14) : Text(1);
    });
    TColorTable colors;
    const TBitmap drawing = AutoColour(area, colors, true);
    EXPECT_EQ(colors.At(0, 0), 0x1E) << "yellow on blue";
    EXPECT_EQ(colors.At(1, 0), 0x1E) << "yellow on blue again, the other pixels lit";
    EXPECT_EQ(drawing.Canvas().Pixel(3, 5), clWhite);
    EXPECT_EQ(drawing.Canvas().Pixel(0, 0), clBlack);
    EXPECT_EQ(drawing.Canvas().Pixel(11, 5), clBlack);
    EXPECT_EQ(drawing.Canvas().Pixel(8, 0), clWhite);

    // Without one the blue ground becomes black or blue, never a background.
    TColorTable black;
    AutoColour(area, black, false);
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 17; ++c)
            ASSERT_EQ(black.At(c, r) & 0xF0, 0) << c << "," << r;
}

// A background of 8 or more would blink on a real BIOS.
TEST(AutoColour, NoBackgroundEverSetsTheBlinkBit) {
    const TBitmap area = Area([](int x, int y) {
        return qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (255 - x - y) & 0xFF);
    });
    TColorTable colors;
    AutoColour(area, colors, true);
    bool someBackground = false;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 17; ++c) {
            ASSERT_EQ(colors.At(c, r) & ~0x7F, 0) << c << "," << r;
            someBackground = someBackground || (colors.At(c, r) & 0x70) != 0;
        }
    EXPECT_TRUE(someBackground);
    // A flat colour cell: black ground and the colour lit wins the tie with any background.
    TColorTable flat;
    AutoColour(Area([](int, int) { return Text(2); }), flat, true);
    EXPECT_EQ(flat.At(5, 5), 0x02);
}

TEST(AutoColour, TheBestPairIsFoundWhereTheAverageMisleads) {
    // Red and green, more red: their average is brownish, and lighting every pixel in brown
    // errs more than red alone, the green left black.
    const TBitmap area = Area([](int x, int) { return x % 8 < 5 ? Text(4) : Text(2); });
    TColorTable colors;
    const TBitmap drawing = AutoColour(area, colors, false);
    EXPECT_EQ(colors.At(0, 0), 4);
    EXPECT_EQ(drawing.Canvas().Pixel(4, 0), clWhite);
    EXPECT_EQ(drawing.Canvas().Pixel(5, 0), clBlack);
    TColorTable both;
    const TBitmap exact = AutoColour(area, both, true);
    EXPECT_EQ(both.At(0, 0), 0x24) << "red on green";
    EXPECT_EQ(exact.Canvas().Pixel(4, 0), clWhite);
    EXPECT_EQ(exact.Canvas().Pixel(5, 0), clBlack);
}
