#include "tests/logo/LogoFixture.h"

#include "logo/LogoGeometry.h"
#include "logo/WorkingFiles.h"
#include "runtime/InOutError.h"

using Conversion = LogoFixture;

TEST_F(Conversion, BlankDrawingGivesBlankRowsAndLeavesOnlyByteRows) {
    const TBitmap blankPreview = preview;
    Convert();
    EXPECT_EQ(dir.Names(), QStringList{WorkingFiles::ByteRows});
    const QList<QByteArray> lines = Lines(WorkingFiles::ByteRows);
    ASSERT_EQ(lines.size(), 126);
    for (const QByteArray& line : lines)
        ASSERT_EQ(line, "0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0./");
    EXPECT_EQ(preview.Image(), blankPreview.Image()) << "grid lines untouched, cells black";
    EXPECT_EQ(steps, 126);
}

TEST_F(Conversion, PixelsLandInTheirFieldBitAndPreviewCell) {
    Light(0, 0);     // first field of line 1, weight 128
    Light(7, 13);    // first field of line 14, weight 1
    Light(8, 14);    // second field of line 15, weight 128
    Light(135, 125); // last field of the last line, weight 1
    Light(136, 5);   // beyond the logo: never read
    Light(20, 126);
    Convert();
    const QList<QByteArray> lines = Lines(WorkingFiles::ByteRows);
    ASSERT_EQ(lines.size(), 126);
    EXPECT_TRUE(lines[0].startsWith("128.0."));
    EXPECT_TRUE(lines[13].startsWith("1.0."));
    EXPECT_TRUE(lines[14].startsWith("0.128.0."));
    EXPECT_TRUE(lines[125].endsWith(".0.1./"));
    EXPECT_EQ(lines[5], "0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0./");

    const TCanvas& p = preview.Canvas();
    EXPECT_EQ(p.Pixel(0, 0), clWhite);
    EXPECT_EQ(p.Pixel(7, 13), clWhite);
    EXPECT_EQ(p.Pixel(9, 15), clWhite);
    EXPECT_EQ(p.Pixel(151, 133), clWhite);
    EXPECT_EQ(p.Pixel(8, 0), clSilver);
    EXPECT_EQ(p.Pixel(152, 134), clSilver);
    EXPECT_EQ(p.Pixel(1, 0), clBlack);
}

TEST_F(Conversion, AnyNonBlackColourIsLitAndUncoveredPositionsAreNot) {
    TBitmap small(100, 100, TPixelFormat::pf24bit);
    small.Canvas().SetPixel(0, 0, clMaroon);
    small.Canvas().SetPixel(99, 99, 0x010000);
    drawing = small;
    Convert();
    const QList<QByteArray> lines = Lines(WorkingFiles::ByteRows);
    EXPECT_TRUE(lines[0].startsWith("128.0."));
    // x = 99 is bit 3 of field 12; x >= 100 and y >= 100 lie outside the picture: unlit.
    EXPECT_EQ(lines[99], "0.0.0.0.0.0.0.0.0.0.0.0.16.0.0.0.0./");
    EXPECT_EQ(lines[100], "0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0./");
    EXPECT_EQ(preview.Canvas().Pixel(LogoGeometry::PreviewX(120), 0), clBlack);
}

TEST_F(Conversion, ConvertingTwiceGivesTheSameResultAndRepaintsColouredCells) {
    Light(3, 3);
    Convert();
    const QByteArray first = dir.Read(WorkingFiles::ByteRows);
    preview.Canvas().SetPixel(3, 3, clMaroon);
    Convert();
    EXPECT_EQ(dir.Read(WorkingFiles::ByteRows), first);
    EXPECT_EQ(preview.Canvas().Pixel(3, 3), clWhite);
    EXPECT_FALSE(dir.Exists(WorkingFiles::BitRows));
}

TEST_F(Conversion, MissingFolderRaisesFileNotFound) {
    try {
        ConvertDrawing(drawing, preview, QDir(dir.Path("gone")), {});
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "File not found");
    }
}

TEST_F(Conversion, TheBlackAndWhiteLogoOfAPictureHasItsLitPixelsWhite) {
    TBitmap picture(200, 100, TPixelFormat::pf24bit);
    picture.Canvas().SetPixel(0, 0, clMaroon);
    picture.Canvas().SetPixel(135, 99, 0x010000);
    picture.Canvas().SetPixel(136, 0, clWhite); // beyond the logo area
    const TBitmap logo = BlackAndWhiteLogo(picture);
    EXPECT_EQ(logo.PixelFormat(), TPixelFormat::pf1bit);
    ASSERT_EQ(logo.Width(), 136);
    ASSERT_EQ(logo.Height(), 126);
    int lit = 0;
    for (int y = 0; y < 126; ++y)
        for (int x = 0; x < 136; ++x)
            lit += logo.Canvas().Pixel(x, y) == clWhite;
    EXPECT_EQ(lit, 2);
    EXPECT_EQ(logo.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(logo.Canvas().Pixel(135, 99), clWhite);
    EXPECT_EQ(logo.Canvas().Pixel(0, 110), clBlack) << "below the picture nothing is lit";
}
