#include "tests/formats/LogoFixture.h"

#include "formats/EpaLogo.h"
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
