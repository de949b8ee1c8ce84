#include "runtime/Bitmap.h"
#include "runtime/Fonts.h"

#include <QSet>
#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

int Lit(const TBitmap& bitmap) {
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            count += bitmap.Canvas().Pixel(x, y) == clWhite;
    return count;
}

} // namespace

TEST(Canvas, LinesLeaveTheirLastPointUnpainted) {
    TBitmap bitmap(20, 20, TPixelFormat::pf1bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetPenColor(clWhite);
    canvas.MoveTo(2, 3);
    canvas.LineTo(10, 3);
    EXPECT_EQ(Lit(bitmap), 8);
    EXPECT_EQ(canvas.Pixel(2, 3), clWhite);
    EXPECT_EQ(canvas.Pixel(10, 3), clBlack);
    EXPECT_EQ(canvas.PenPos(), QPoint(10, 3));

    canvas.LineTo(10, 3); // a move back to the pen position paints nothing
    EXPECT_EQ(Lit(bitmap), 8);
    canvas.LineTo(4, 9); // diagonal: one pixel a step
    EXPECT_EQ(Lit(bitmap), 14);
    EXPECT_EQ(canvas.Pixel(9, 4), clWhite);
    EXPECT_EQ(canvas.Pixel(4, 9), clBlack);
}

TEST(Canvas, DrawingOutsideIsClippedAndReadsAsInvalid) {
    TBitmap bitmap(4, 4, TPixelFormat::pf1bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetPenColor(clWhite);
    canvas.MoveTo(-5, 1);
    canvas.LineTo(10, 1);
    EXPECT_EQ(Lit(bitmap), 4);
    canvas.SetPixel(-1, 0, clWhite);
    EXPECT_EQ(canvas.Pixel(-1, 0), clInvalid);
    EXPECT_EQ(canvas.Pixel(4, 0), clInvalid);
}

TEST(Canvas, IndexedBitmapsStoreTheNearestPaletteEntry) {
    TBitmap four(2, 1, TPixelFormat::pf4bit);
    four.Canvas().SetPixel(0, 0, 0x0000F0); // nearly red
    EXPECT_EQ(four.Canvas().Pixel(0, 0), clRed);
    TBitmap mono(2, 1, TPixelFormat::pf1bit);
    mono.Canvas().SetPixel(0, 0, clSilver);
    mono.Canvas().SetPixel(1, 0, clNavy);
    EXPECT_EQ(mono.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(mono.Canvas().Pixel(1, 0), clBlack);
}

TEST(Canvas, BevelRingsEndTheirCornersInTheSecondColour) {
    TBitmap bitmap(6, 5, TPixelFormat::pf24bit);
    TCanvas& canvas = bitmap.Canvas();
    const QRect inner = canvas.DrawBevelRings(QRect(0, 0, 6, 5), 2, clWhite, clGray);
    EXPECT_EQ(inner, QRect(2, 2, 2, 1));
    EXPECT_EQ(canvas.Pixel(0, 0), clWhite);
    EXPECT_EQ(canvas.Pixel(5, 0), clGray) << "top-right";
    EXPECT_EQ(canvas.Pixel(0, 4), clGray) << "bottom-left";
    EXPECT_EQ(canvas.Pixel(1, 1), clWhite);
    EXPECT_EQ(canvas.Pixel(4, 1), clGray);
    EXPECT_EQ(canvas.Pixel(2, 2), clBlack);

    TBitmap sides(4, 4, TPixelFormat::pf24bit);
    sides.Canvas().DrawBevelRings(QRect(0, 0, 4, 4), 1, clWhite, clGray, Qt::TopEdge);
    EXPECT_EQ(sides.Canvas().Pixel(2, 0), clWhite);
    EXPECT_EQ(sides.Canvas().Pixel(0, 2), clBlack);
}

TEST(Canvas, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    TBitmap bitmap(5, 5, TPixelFormat::pf24bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetPenColor(clRed);
    canvas.SetBrushColor(clBlue);
    canvas.Rectangle(QRect(0, 0, 4, 4));
    EXPECT_EQ(canvas.Pixel(3, 3), clRed);
    EXPECT_EQ(canvas.Pixel(1, 2), clBlue);
    EXPECT_EQ(canvas.Pixel(4, 4), clBlack);
    canvas.SetPenMode(TCanvas::TPenMode::pmNot);
    canvas.Rectangle(QRect(0, 0, 4, 4));
    EXPECT_EQ(canvas.Pixel(3, 3), clAqua);
    EXPECT_EQ(canvas.Pixel(1, 2), clYellow);
}

// Text and pictures on an indexed image are painted through an RGB copy; only the pixels that
// changed come back, each as its nearest palette entry, so an entry that repeats a colour
// elsewhere in the palette keeps its own index.
TEST(Canvas, PainterWorkOnAnIndexedImageLandsInItsPalette) {
    QImage image(24, 16, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(200, 0, 0)});
    image.fill(2);
    TCanvas canvas(image);
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(qRgb(220, 10, 10));
    canvas.DrawImage(QRect(0, 0, 4, 4), red);
    EXPECT_EQ(image.pixelIndex(0, 0), 3) << "nearest entry";
    EXPECT_EQ(image.pixelIndex(3, 3), 3);
    EXPECT_EQ(image.pixelIndex(4, 4), 2) << "untouched pixels keep their index";

    canvas.SetFont(MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold));
    canvas.SetFontColor(clWhite);
    canvas.DrawText(QRect(6, 0, 18, 16), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("W"));
    int white = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 6; x < 24; ++x)
            white += image.pixelIndex(x, y) == 1;
    EXPECT_GT(white, 5);
}

// The outline's dots keep the image's own checkerboard, whatever rectangle they outline, so
// outlines side by side dot alike.
TEST(Canvas, FocusOutlineDotsTheEvenSquares) {
    TBitmap bitmap(8, 6, TPixelFormat::pf24bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.DrawFocusRect(QRect(0, 0, 6, 5));
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(canvas.Pixel(x, 0), x % 2 == 0 ? clWhite : clBlack) << x;
        EXPECT_EQ(canvas.Pixel(x, 4), x % 2 == 0 ? clWhite : clBlack) << x;
    }
    for (int y = 1; y < 4; ++y) {
        EXPECT_EQ(canvas.Pixel(0, y), y % 2 == 0 ? clWhite : clBlack) << y;
        EXPECT_EQ(canvas.Pixel(5, y), y % 2 == 1 ? clWhite : clBlack) << y;
        EXPECT_EQ(canvas.Pixel(2, y), clBlack) << "inside untouched";
    }
    // Drawn twice, the outline is gone: every dot is an inversion.
    canvas.DrawFocusRect(QRect(1, 1, 4, 3));
    EXPECT_EQ(canvas.Pixel(1, 1), clWhite);
    EXPECT_EQ(canvas.Pixel(2, 1), clBlack);
    canvas.DrawFocusRect(QRect(1, 1, 4, 3));
    EXPECT_EQ(canvas.Pixel(1, 1), clBlack);
}

// Unscaled onto a 32-bit image a picture is copied pixel by pixel, otherwise it goes through a
// painter: either way the see-through colour is left out and the edges clip.
TEST(Canvas, PicturesLeaveTheirSeeThroughColourOutAndClipAtTheEdges) {
    QImage indexed(3, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255)});
    for (int x = 0; x < 3; ++x) {
        indexed.setPixel(x, 0, uint(x));
        indexed.setPixel(x, 1, uint(2 - x));
    }
    for (const QImage& source : {indexed, indexed.convertToFormat(QImage::Format_RGB32)}) {
        for (const TPixelFormat format : {TPixelFormat::pf32bit, TPixelFormat::pf8bit}) {
            TBitmap target(4, 3, format, {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)});
            target.Canvas().FillRect(QRect(0, 0, 4, 3), clBlack);
            target.Canvas().DrawImage(QRect(2, 1, 3, 2), source, clWhite);
            const TCanvas& drawn = target.Canvas();
            EXPECT_EQ(drawn.Pixel(2, 1), clBlack);
            EXPECT_EQ(drawn.Pixel(3, 1), clRed);
            EXPECT_EQ(drawn.Pixel(2, 2), clBlue);
            EXPECT_EQ(drawn.Pixel(3, 2), clRed);
            EXPECT_EQ(drawn.Pixel(1, 1), clBlack);
        }
    }
}

// Setting many pixels at once stores what single pixels would, in every format, skips those
// outside, and tells the holder once; reading a row gives what Pixel gives, clInvalid past the
// image.
TEST(Canvas, ManyPixelsAtOnceMatchSinglePixels) {
    const std::vector<TCanvas::TPixelAt> pixels = {
        {0, 0, clWhite},  {3, 1, 0x0000F0}, {2, 2, clSilver}, {6, 2, clNavy},
        {-1, 0, clWhite}, {7, 0, clWhite},  {0, 3, clWhite},  {1, -4, clWhite},
    };
    for (const TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                                      TPixelFormat::pf8bit, TPixelFormat::pf24bit}) {
        SCOPED_TRACE(static_cast<int>(format));
        TBitmap single(7, 3, format);
        for (const TCanvas::TPixelAt& pixel : pixels)
            single.Canvas().SetPixel(pixel.X, pixel.Y, pixel.Color);
        TBitmap many(7, 3, format);
        int changes = 0;
        many.Canvas().OnChange = [&] { ++changes; };
        many.Canvas().SetPixels(pixels);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(many.Image(), single.Image());

        for (const int y : {-1, 0, 1, 2, 3}) {
            std::array<TColor, 9> row;
            row.fill(clNone);
            many.Canvas().ReadRow(y, row);
            for (int x = 0; x < int(row.size()); ++x)
                EXPECT_EQ(row[x], many.Canvas().Pixel(x, y)) << x << "," << y;
        }
    }
}

namespace {

// The black pixels of the first `count` letters of `text`, drawn as a caption is drawn.
QSet<QPair<int, int>> InkOf(const QFont& font, const QString& text, int count) {
    TBitmap bitmap(120, 20, TPixelFormat::pf24bit);
    TCanvas& canvas = bitmap.Canvas();
    canvas.FillRect(QRect(0, 0, 120, 20), clWhite);
    canvas.SetFont(font);
    canvas.SetFontColor(clBlack);
    canvas.DrawText(QRect(2, 2, 116, 16), Qt::AlignLeft | Qt::AlignTop, text.left(count));
    QSet<QPair<int, int>> ink;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 120; ++x)
            if (canvas.Pixel(x, y) == clBlack)
                ink.insert({x, y});
    return ink;
}

} // namespace

// Unhinted, "rn" came out as one "m" and "Speichern" read "Speichem": each letter is found as
// what it adds to the line, and none may touch the next, not even at a corner.
TEST(Canvas, TheWindowsLettersKeepClearOfTheirNeighbours) {
    const QString text = QStringLiteral("Speichern");
    for (unsigned styles : {0u, unsigned(fsBold)}) {
        const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 11, styles);
        QList<QSet<QPair<int, int>>> letters;
        QSet<QPair<int, int>> before;
        for (int i = 1; i <= text.size(); ++i) {
            const QSet<QPair<int, int>> line = InkOf(font, text, i);
            letters.append(QSet(line).subtract(before));
            before = line;
        }
        for (int i = 0; i + 1 < letters.size(); ++i)
            for (const auto& [x, y] : letters[i])
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        ASSERT_FALSE(letters[i + 1].contains({x + dx, y + dy}))
                            << text.mid(i, 2).toStdString() << " touch, styles " << styles;
    }
}
