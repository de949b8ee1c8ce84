#include "tests/logo/LogoFixture.h"

#include "logo/EpaLogo.h"
#include "runtime/Exception.h"

using EpaLogo = LogoFixture;

TEST_F(EpaLogo, ReadsBackWhatTheSaveWrote) {
    colors.Set(2, 3, 12);
    Light(16, 42); // cell (2, 3), line 0, leftmost pixel
    Convert();
    Save();
    const TEpaLogo logo = TEpaLogo::Read(dir.Path("logo.epa"));
    EXPECT_EQ(logo.Columns(), 17);
    EXPECT_EQ(logo.Rows(), 9);
    EXPECT_TRUE(logo.HasTrailer());
    EXPECT_EQ(logo.Attribute(2, 3), 12);
    EXPECT_EQ(logo.Attribute(16, 8), 10);
    EXPECT_EQ(logo.GlyphLine(2, 3, 0), 0x80);
    EXPECT_TRUE(logo.Lit(16, 42));
    EXPECT_FALSE(logo.Lit(17, 42));

    const TBitmap shown = logo.Render();
    EXPECT_EQ(shown.Width(), 136);
    EXPECT_EQ(shown.Height(), 126);
    EXPECT_EQ(shown.PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(shown.Canvas().Pixel(16, 42), FromQRgb(qRgb(255, 85, 85))) << "light red";
    EXPECT_EQ(shown.Canvas().Pixel(17, 42), clBlack);
}

TEST_F(EpaLogo, AcceptsAnySizeWithOrWithoutTrailer) {
    QByteArray bytes("\x02\x01", 2);
    bytes += QByteArray::fromHex("1f70");
    bytes += QByteArray(28, char(0xFF));
    const TEpaLogo plain = TEpaLogo::Parse(bytes, "x");
    EXPECT_FALSE(plain.HasTrailer());
    EXPECT_EQ(plain.Columns(), 2);
    EXPECT_EQ(plain.Attribute(1, 0), 0x70);
    const TBitmap shown = plain.Render();
    EXPECT_EQ(shown.Canvas().Pixel(0, 0), clWhite);
    EXPECT_TRUE(TEpaLogo::Parse(bytes + QByteArray(70, 0), "x").HasTrailer());
}

TEST_F(EpaLogo, RefusesWrongLengthsAndZeroSizesNamingTheFile) {
    const auto message = [](const QByteArray& bytes) {
        try {
            TEpaLogo::Parse(bytes, "bad.epa");
        } catch (const Exception& e) {
            return e.Message();
        }
        return QString();
    };
    EXPECT_TRUE(message("").contains("bad.epa"));
    EXPECT_TRUE(message(QByteArray("\x00\x05", 2)).contains("0 × 5"));
    EXPECT_TRUE(message(QByteArray("\x01\x01", 2) + QByteArray(16, 0)).contains("17 or 87"));
    EXPECT_TRUE(message(QByteArray("\x11\x09", 2) + QByteArray(2366, 0)).contains("bad.epa"));
    EXPECT_THROW(TEpaLogo::Read(dir.Path("missing.epa")), Exception);
}

TEST_F(EpaLogo, DrawsBackIntoTheDrawingThatConvertsAndSavesToTheSameFile) {
    colors.Set(2, 3, 0x1C);
    for (int y = 0; y < 126; y += 3)
        for (int x = y % 7; x < 136; x += 5)
            Light(x, y);
    for (int y = 112; y < 126; ++y)
        Light(130, y); // through the marker lines of the last cell too
    Convert();
    Save("first.epa");

    const TEpaLogo logo = TEpaLogo::Read(dir.Path("first.epa"));
    EXPECT_TRUE(logo.FitsEditor());
    drawing = logo.Drawing();
    EXPECT_EQ(drawing.Width(), 137);
    EXPECT_EQ(drawing.Height(), 127);
    EXPECT_EQ(drawing.PixelFormat(), TPixelFormat::pf1bit);
    EXPECT_EQ(drawing.Canvas().Pixel(130, 112 + 6), clWhite);
    for (int line = 7; line <= 11; ++line)
        EXPECT_EQ(drawing.Canvas().Pixel(130, 112 + line), clBlack) << "marker line " << line;
    EXPECT_EQ(drawing.Canvas().Pixel(130, 112 + 12), clWhite);
    for (int x = 0; x < 137; ++x)
        ASSERT_EQ(drawing.Canvas().Pixel(x, 126), clBlack);
    Convert();
    Save("second.epa");
    EXPECT_EQ(Logo("second.epa"), Logo("first.epa"));
}

TEST_F(EpaLogo, OnlyLogosOfUpTo17By9CellsFitTheEditor) {
    const auto logo = [](int columns, int rows) {
        QByteArray bytes(2 + columns * rows * 15, char(0xFF));
        bytes[0] = char(columns);
        bytes[1] = char(rows);
        return TEpaLogo::Parse(bytes, "x");
    };
    EXPECT_TRUE(logo(17, 9).FitsEditor());
    EXPECT_TRUE(logo(1, 1).FitsEditor());
    EXPECT_FALSE(logo(18, 9).FitsEditor());
    EXPECT_FALSE(logo(17, 10).FitsEditor());

    // A smaller logo's last cell is not the editor's: all its lines are drawn.
    const TBitmap small = logo(2, 2).Drawing();
    for (int y = 0; y < 28; ++y)
        ASSERT_EQ(small.Canvas().Pixel(15, y), clWhite) << y;
    EXPECT_EQ(small.Canvas().Pixel(16, 0), clBlack);
    EXPECT_EQ(small.Canvas().Pixel(0, 28), clBlack);
}

// A picture or the other kind of logo chosen by mistake is named for what it is, not read as a
// cell count ("65 × 87 cells" for "AWBM").
TEST_F(EpaLogo, SaysWhatAFileOfAnotherKindIs) {
    const auto refusal = [](const QByteArray& bytes) {
        try {
            TEpaLogo::Parse(bytes + QByteArray(100, '\0'), "f");
        } catch (const Exception& e) {
            return e.Message();
        }
        return QString();
    };
    EXPECT_EQ(refusal("AWBM"), "\"f\" is not an EPA logo file: it is an AWBM logo (the full-screen "
                               "kind).");
    EXPECT_EQ(refusal("BM"), "\"f\" is not an EPA logo file: it is a BMP picture.");
    EXPECT_EQ(refusal("\x89PNG\r\n\x1a\n"), "\"f\" is not an EPA logo file: it is a PNG picture.");
    EXPECT_EQ(refusal("GIF89a"), "\"f\" is not an EPA logo file: it is a GIF picture.");
    EXPECT_TRUE(refusal("\x03\x02").contains("a logo of 3 × 2 cells takes"));
}
