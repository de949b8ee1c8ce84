#include "logo/AwbmLogo.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "tests/TestDir.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

std::vector<TAwbmColor> Palette(int colors) {
    std::vector<TAwbmColor> palette;
    for (int i = 0; i < colors; ++i)
        palette.push_back(
            {std::uint8_t(i % 64), std::uint8_t(i / 4 % 64), std::uint8_t(63 - i % 64)});
    return palette;
}

// 9 × 2 pixels, so that a row's planes spill into a second byte: colours 0..8, then 15..7.
const std::vector<std::uint8_t> SixteenIndices = {0,  1,  2,  3,  4,  5,  6, 7, 8,
                                                  15, 14, 13, 12, 11, 10, 9, 8, 7};

QByteArray SixteenColourFile() {
    QByteArray bytes("AWBM\x09\x00\x02\x00", 8);
    // Row 0, planes 0..3, two bytes each; then row 1.
    bytes += QByteArray::fromHex("5500"
                                 "3300"
                                 "0f00"
                                 "0080");
    bytes += QByteArray::fromHex("aa80"
                                 "cc80"
                                 "f080"
                                 "ff00");
    bytes += "RGB ";
    for (const TAwbmColor c : Palette(16))
        bytes.append(char(c.blue)).append(char(c.green)).append(char(c.red));
    return bytes;
}

const std::vector<std::uint8_t> ByteIndices = {0, 200, 255, 7, 8, 9};

QByteArray ByteColourFile() {
    QByteArray bytes("AWBM\x03\x00\x02\x00", 8);
    bytes += QByteArray::fromHex("00c8ff070809");
    bytes += "RGB ";
    for (const TAwbmColor c : Palette(256))
        bytes.append(char(c.red)).append(char(c.green)).append(char(c.blue));
    return bytes;
}

QString RefusalOf(const QByteArray& bytes) {
    try {
        TAwbmLogo::Parse(bytes, "bad.awbm");
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("accepted");
}

} // namespace

TEST(AwbmLogo, ReadsHandMadeFilesOfBothDepthsAndWritesThemByteForByte) {
    struct Case {
        QByteArray file;
        int width;
        int colors;
        std::vector<std::uint8_t> indices;
    };
    for (const Case& c : {Case{SixteenColourFile(), 9, 16, SixteenIndices},
                          Case{ByteColourFile(), 3, 256, ByteIndices}}) {
        const TAwbmLogo logo = TAwbmLogo::Parse(c.file, "x");
        EXPECT_EQ(logo.Width(), c.width);
        EXPECT_EQ(logo.Height(), 2);
        EXPECT_EQ(logo.Colors(), c.colors);
        EXPECT_EQ(logo.Indices(), c.indices) << c.colors;
        EXPECT_EQ(logo.Palette(), Palette(c.colors)) << c.colors;
        EXPECT_EQ(TAwbmLogo(c.width, 2, c.colors, Palette(c.colors), c.indices).Bytes(), c.file)
            << c.colors;
    }
}

TEST(AwbmLogo, WriteThenReadGivesBackEveryIndexAndTheWholePaletteAtAnyWidth) {
    TestDir dir;
    // 1 × 240 pixels take as many bytes at either depth.
    for (const int colors : {16, 256})
        for (const auto& [width, height] : {std::pair{1, 5}, {7, 5}, {9, 5}, {639, 5}, {1, 240}}) {
            std::vector<std::uint8_t> indices;
            for (int i = 0; i < width * height; ++i)
                indices.push_back(std::uint8_t((i * 37 + i / width) % colors));
            const QString name = QStringLiteral("%1-%2x%3.awbm").arg(colors).arg(width).arg(height);
            TAwbmLogo(width, height, colors, Palette(colors), indices).Write(dir.Path(name));
            const TAwbmLogo back = TAwbmLogo::Read(dir.Path(name));
            EXPECT_EQ(back.Width(), width);
            EXPECT_EQ(back.Height(), height);
            EXPECT_EQ(back.Colors(), colors);
            EXPECT_EQ(back.Indices(), indices) << name.toStdString();
            EXPECT_EQ(back.Palette(), Palette(colors)) << name.toStdString();
        }
}

TEST(AwbmLogo, RefusesAnythingButTheTwoLayoutsNamingTheFileAndTheFault) {
    EXPECT_TRUE(RefusalOf("").contains("\"bad.awbm\" is not an AWBM logo file"));
    EXPECT_TRUE(RefusalOf("BMxxxxxx").contains("does not begin with \"AWBM\""));
    EXPECT_TRUE(RefusalOf("AWBM\x01").contains("only 5 bytes long"));
    QByteArray zero = SixteenColourFile();
    zero[4] = 0;
    zero[5] = 0;
    EXPECT_TRUE(RefusalOf(zero).contains("declares 0 × 2 pixels")) << RefusalOf(zero).toStdString();
    QByteArray huge = SixteenColourFile();
    huge[5] = 0x04; // 1033 pixels wide
    EXPECT_TRUE(RefusalOf(huge).contains("1033 × 2")) << RefusalOf(huge).toStdString();

    EXPECT_TRUE(RefusalOf(SixteenColourFile().chopped(1))
                    .contains("takes 76 bytes with 16 colours or 798 with 256, but the file has "
                              "75"))
        << RefusalOf(SixteenColourFile().chopped(1)).toStdString();
    QByteArray noMark = SixteenColourFile();
    noMark[8 + 16] = 'r';
    EXPECT_TRUE(RefusalOf(noMark).contains("no \"RGB \" mark")) << RefusalOf(noMark).toStdString();
    QByteArray bright = ByteColourFile();
    bright[bright.size() - 1] = char(64);
    EXPECT_TRUE(RefusalOf(bright).contains("palette entry 255 has a value over 63"));
}

TEST(AwbmLogo, WritesEverySizeFromOneByOneTo1024By768AndNothingElse) {
    const auto make = [](int width, int height, int colors, std::uint8_t index = 0) {
        std::vector<std::uint8_t> indices(std::size_t(std::max(width, 0)) * std::max(height, 0));
        if (!indices.empty())
            indices.back() = index;
        return TAwbmLogo(width, height, colors, Palette(colors), indices);
    };
    EXPECT_EQ(make(1, 1, 16).Bytes().size(), 8 + 4 + 4 + 48);
    EXPECT_EQ(make(1024, 768, 256).Bytes().size(), TAwbmLogo::LargestFile);
    EXPECT_THROW(make(0, 1, 16), Exception);
    EXPECT_THROW(make(1025, 768, 16), Exception);
    EXPECT_THROW(make(1024, 769, 256), Exception);
    EXPECT_THROW(make(2, 2, 16, 16), Exception) << "an index past the palette";
    EXPECT_THROW(make(2, 2, 8), Exception);
    EXPECT_THROW(TAwbmLogo(1, 1, 16, {{64, 0, 0}}, {0}), Exception);
}

TEST(AwbmLogo, ShowsItsColoursWidenedToEightBits) {
    std::vector<TAwbmColor> palette(16);
    palette[3] = {63, 32, 0};
    const TBitmap shown = TAwbmLogo(2, 1, 16, palette, {3, 0}).Render();
    EXPECT_EQ(shown.PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(shown.Canvas().Pixel(0, 0), FromQRgb(qRgb(255, 130, 0)));
    EXPECT_EQ(shown.Canvas().Pixel(1, 0), clBlack);
    EXPECT_EQ(TAwbmLogo::Parse(ByteColourFile(), "x").Render().PixelFormat(), TPixelFormat::pf8bit);
}

// Each of the 64 DAC levels shows as the nearest eight-bit level, the steps as even as they
// can be: copying the top bits into the bottom ones instead is a level off for 48 and 52.
TEST(AwbmLogo, WidensEachLevelToTheNearestEightBitOne) {
    int previous = -1;
    for (int level = 0; level < 64; ++level) {
        const auto v = std::uint8_t(level);
        const QRgb rgb = TAwbmLogo::ToRgb({v, v, v});
        ASSERT_EQ(qRed(rgb), std::lround(level * 255.0 / 63)) << level;
        ASSERT_EQ(qGreen(rgb), qRed(rgb));
        ASSERT_EQ(qBlue(rgb), qRed(rgb));
        EXPECT_TRUE(qRed(rgb) - previous == 4 || qRed(rgb) - previous == 5 || level == 0) << level;
        previous = qRed(rgb);
    }
    EXPECT_EQ(qRed(TAwbmLogo::ToRgb({48, 0, 0})), 194);
    EXPECT_EQ(qRed(TAwbmLogo::ToRgb({52, 0, 0})), 210);
}
