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

// A background the save, the reader and the BIOS view's composition all lose quietly would show
// black where the user chose a colour.
TEST_F(EpaLogo, TheBackgroundNibbleSurvivesSaveReadAndComposeAndIsShown) {
    colors.Set(0, 0, 0x47); // grey on red
    colors.Set(1, 0, 0x70); // black on grey
    Light(0, 0);
    Convert();
    Save();
    const TEpaLogo saved = TEpaLogo::Read(dir.Path("logo.epa"));
    EXPECT_EQ(saved.Attribute(0, 0), 0x47);
    EXPECT_EQ(saved.Attribute(1, 0), 0x70);
    const TEpaLogo composed = TEpaLogo::Compose(colors, dir.Read("bin1.dat"));
    EXPECT_EQ(composed.Bytes(), Logo()) << "the BIOS view shows what the save wrote";
    const TBitmap shown = saved.Render();
    EXPECT_EQ(ToQRgb(shown.Canvas().Pixel(0, 0)), VgaTextPalette()[7]);
    EXPECT_EQ(ToQRgb(shown.Canvas().Pixel(1, 0)), VgaTextPalette()[4]);
    EXPECT_EQ(ToQRgb(shown.Canvas().Pixel(8, 0)), VgaTextPalette()[7]);
}

TEST_F(EpaLogo, TheBlinkBitIsNoPartOfTheBackground) {
    QByteArray bytes("\x01\x01\xC7", 3);
    bytes += QByteArray(14, '\0');
    const TBitmap shown = TEpaLogo::Parse(bytes, "x").Render();
    EXPECT_EQ(ToQRgb(shown.Canvas().Pixel(0, 0)), VgaTextPalette()[4]) << "red, not light red";
}

// The mark of a smaller logo belongs in its own last cell, where the 17 × 9 file has it: a mark
// left at the editor's offsets would land inside another cell's glyph.
TEST_F(EpaLogo, ACroppedLogoCarriesTheMarkInItsOwnBottomRightCell) {
    for (int y = 0; y < 126; ++y)
        for (int x = 0; x < 136; ++x)
            Light(x, y);
    colors.Fill(0x1E);
    Convert();
    Save();
    const TEpaLogo full = TEpaLogo::Read(dir.Path("logo.epa"));
    EXPECT_EQ(full.Cropped(17, 9).Bytes(), Logo());
    for (const QSize cells : {QSize(17, 6), QSize(1, 1), QSize(5, 9), QSize(16, 8)}) {
        const int w = cells.width(), h = cells.height();
        const QByteArray bytes = full.Cropped(w, h).Bytes();
        ASSERT_EQ(bytes.size(), 2 + w * h * 15 + 70) << w << "x" << h;
        EXPECT_EQ(Byte(bytes, 0), w);
        EXPECT_EQ(Byte(bytes, 1), h);
        const int n = w * h;
        EXPECT_EQ(Byte(bytes, 2 + n - 1), 0x0A) << "the mark's attribute";
        if (n > 1) {
            EXPECT_EQ(Byte(bytes, 2 + n - 2), 0x1E);
            EXPECT_EQ(bytes.mid(2 + n + 14 * (n - 2), 14), QByteArray(14, char(0xFF)));
        }
        const int glyph = 2 + n + 14 * (n - 1);
        const QByteArray mark = QByteArray::fromHex("ffffffffffffffacaaacaa4affff");
        EXPECT_EQ(bytes.mid(glyph, 14), mark) << w << "x" << h;
        const TEpaLogo small = TEpaLogo::Parse(bytes, "x");
        EXPECT_TRUE(small.HasMarker());
        EXPECT_EQ(small.Cropped(w, h).Bytes(), bytes);
    }
    // On the way back into the editor, the mark of the small logo is not drawn either.
    const TBitmap drawing = full.Cropped(17, 6).Drawing();
    EXPECT_EQ(drawing.Canvas().Pixel(130, 5 * 14 + 6), clWhite);
    EXPECT_EQ(drawing.Canvas().Pixel(130, 5 * 14 + 7), clBlack);
    EXPECT_EQ(drawing.Canvas().Pixel(130, 5 * 14 + 12), clWhite);
    EXPECT_EQ(drawing.Canvas().Pixel(130, 6 * 14), clBlack) << "no row 6";
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
