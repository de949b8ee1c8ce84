#include "logo/OneBit.h"
#include "logo/Otsu.h"
#include "logo/PictureArea.h"
#include "runtime/Bitmap.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

TBitmap Picture(int width, int height, const std::function<QRgb(int, int)>& color) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, color(x, y));
    TBitmap bitmap;
    bitmap.SetImage(image);
    return bitmap;
}

QRgb Grey(int level) {
    return qRgb(level, level, level);
}

TBitmap Drawing(TBitmap& picture, const TImportOptions& options) {
    return OneBitDrawing(PictureArea(picture, options.cells, options.fit), options);
}

int LitIn(const TBitmap& drawing, const QRect& rect) {
    int lit = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            lit += drawing.Canvas().Pixel(x, y) == clWhite;
    return lit;
}

} // namespace

TEST(Otsu, SplitsTwoLevelsBetweenThemEvenWhenTheyAreNeighbours) {
    TLevelHistogram histogram{};
    histogram[100] = 500;
    histogram[101] = 20;
    EXPECT_EQ(OtsuLevel(histogram), 101) << "at or above the level is lit: 101 alone";
    histogram = {};
    histogram[50] = 10;
    histogram[200] = 10;
    EXPECT_EQ(OtsuLevel(histogram), 51) << "the lowest of the equal splits";
    histogram = {};
    histogram[0] = 3;
    histogram[255] = 1;
    EXPECT_EQ(OtsuLevel(histogram), 1);
    histogram = {};
    histogram[77] = 1000;
    EXPECT_EQ(OtsuLevel(histogram), 128) << "one level alone: no split to find";
    EXPECT_EQ(OtsuLevel({}), 128);
}

TEST(Otsu, FindsTheValleyOfTwoSpreadClasses) {
    TLevelHistogram histogram{};
    for (int level = 20; level <= 60; ++level)
        histogram[level] = 100;
    for (int level = 160; level <= 220; ++level)
        histogram[level] = 60;
    const int level = OtsuLevel(histogram);
    EXPECT_GT(level, 60);
    EXPECT_LE(level, 160);
}

TEST(OneBit, ALevelLightsLuminancesAtOrAboveItAndInvertLightsTheRest) {
    // Luminance 127 and 128 side by side, and pure blue whose luminance is 29.
    TBitmap picture = Picture(3, 1, [](int x, int) {
        return x == 0 ? Grey(127) : x == 1 ? Grey(128) : qRgb(0, 0, 255);
    });
    TImportOptions options;
    options.threshold = TThreshold::Level;
    options.level = 128;
    TBitmap drawing = Drawing(picture, options);
    EXPECT_EQ(drawing.Width(), 137) << "the editor's drawing";
    EXPECT_EQ(drawing.PixelFormat(), TPixelFormat::pf1bit);
    EXPECT_EQ(drawing.Canvas().Pixel(0, 0), clBlack);
    EXPECT_EQ(drawing.Canvas().Pixel(1, 0), clWhite);
    EXPECT_EQ(drawing.Canvas().Pixel(2, 0), clBlack);
    options.level = 29;
    EXPECT_EQ(Drawing(picture, options).Canvas().Pixel(2, 0), clWhite);
    options.level = 0;
    EXPECT_EQ(LitIn(Drawing(picture, options), QRect(0, 0, 136, 126)), 3)
        << "level 0 lights the picture, never the black beyond it";
    options.level = 128;
    options.invert = true;
    drawing = Drawing(picture, options);
    EXPECT_EQ(drawing.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(drawing.Canvas().Pixel(1, 0), clBlack);
    EXPECT_EQ(LitIn(drawing, QRect(0, 0, 136, 126)), 2);
}

TEST(OneBit, NonBlackIsTheConversionsOwnRuleAndInvertsToo) {
    TBitmap picture = Picture(4, 1, [](int x, int) { return x == 0 ? qRgb(1, 0, 0) : Grey(0); });
    TImportOptions options;
    EXPECT_EQ(LitIn(Drawing(picture, options), QRect(0, 0, 136, 126)), 1);
    options.invert = true;
    EXPECT_EQ(LitIn(Drawing(picture, options), QRect(0, 0, 136, 126)), 3);
}

TEST(OneBit, OtsusLevelIsTakenFromThePictureNotTheBlackAroundIt) {
    // Mid grey and light grey: with the black margins of the fitted picture counted, Otsu's
    // level would fall between black and the greys and light everything.
    TBitmap picture = Picture(400, 40, [](int x, int) { return Grey(x < 200 ? 90 : 170); });
    TImportOptions options;
    options.threshold = TThreshold::Otsu;
    options.fit = true;
    const TBitmap drawing = Drawing(picture, options);
    // 400 × 40 fitted into 136 × 126: a band about 14 pixels high round the middle row.
    EXPECT_EQ(LitIn(drawing, QRect(0, 0, 136, 52)), 0);
    EXPECT_EQ(LitIn(drawing, QRect(0, 75, 136, 51)), 0);
    EXPECT_EQ(LitIn(drawing, QRect(2, 60, 60, 5)), 0) << "mid grey stays dark";
    EXPECT_EQ(LitIn(drawing, QRect(72, 60, 60, 5)), 60 * 5) << "light grey is lit";
}

TEST(OneBit, FitKeepsProportionsAndInvertNeverLightsTheMargins) {
    TBitmap picture = Picture(20, 40, [](int, int) { return Grey(0); });
    TImportOptions options;
    options.threshold = TThreshold::Level;
    options.invert = true;
    options.fit = true;
    // 20 × 40 into 136 × 126: 63 × 126 centred, from x = 36.
    const TBitmap drawing = Drawing(picture, options);
    EXPECT_EQ(LitIn(drawing, QRect(36, 0, 63, 126)), 63 * 126);
    EXPECT_EQ(LitIn(drawing, QRect(0, 0, 137, 127)), 63 * 126);
    // Fitted into 17 × 6 cells (136 × 84): 42 × 84 from x = 47; the rows below stay dark.
    options.cells = {17, 6};
    const TBitmap small = Drawing(picture, options);
    EXPECT_EQ(LitIn(small, QRect(47, 0, 42, 84)), 42 * 84);
    EXPECT_EQ(LitIn(small, QRect(0, 0, 137, 127)), 42 * 84);
}

TEST(OneBit, TopLeftStopsAtTheLogosCells) {
    TBitmap picture = Picture(300, 300, [](int, int) { return Grey(255); });
    TImportOptions options;
    options.cells = {10, 5};
    const TBitmap drawing = Drawing(picture, options);
    EXPECT_EQ(LitIn(drawing, QRect(0, 0, 80, 70)), 80 * 70);
    EXPECT_EQ(LitIn(drawing, QRect(0, 0, 137, 127)), 80 * 70);
}

TEST(OneBit, BayerLightsAQuarterOfEveryBlockAtAQuarterGreyAndFollowsTheLevel) {
    TBitmap picture = Picture(136, 126, [](int, int) { return Grey(64); });
    TImportOptions options;
    options.threshold = TThreshold::Level;
    options.dither = TDither::Bayer;
    TBitmap drawing = Drawing(picture, options);
    for (int by = 0; by + 8 <= 126; by += 8)
        for (int bx = 0; bx + 8 <= 136; bx += 8)
            ASSERT_EQ(LitIn(drawing, QRect(bx, by, 8, 8)), 16) << bx << "," << by;
    options.level = 64 + 128; // the pattern of luminance 0
    EXPECT_EQ(LitIn(Drawing(picture, options), QRect(0, 0, 136, 126)), 0);
    options.level = 0; // the pattern of luminance 192
    EXPECT_EQ(LitIn(Drawing(picture, options), QRect(64, 64, 8, 8)), 48);
}

TEST(OneBit, FloydSteinbergKeepsTheMeanBrightness) {
    for (const int level : {32, 100, 200}) {
        TBitmap picture = Picture(136, 126, [&](int, int) { return Grey(level); });
        TImportOptions options;
        options.dither = TDither::FloydSteinberg;
        const int lit = LitIn(Drawing(picture, options), QRect(0, 0, 136, 126));
        EXPECT_NEAR(lit * 255.0 / (136 * 126), level, 1.5) << level;
    }
    // Black stays black and white stays white: no error is left to spread.
    TBitmap white = Picture(16, 16, [](int, int) { return Grey(255); });
    TImportOptions options;
    options.dither = TDither::FloydSteinberg;
    EXPECT_EQ(LitIn(Drawing(white, options), QRect(0, 0, 16, 16)), 256);
}
