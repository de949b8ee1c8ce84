#include "logo/Quantizer.h"

#include "logo/FullScreenPicture.h"

#include <QColor>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

// A colour the DAC shows exactly: six bits a channel, widened as the BIOS widens them.
QRgb Exact(int red, int green, int blue) {
    return TAwbmLogo::ToRgb({std::uint8_t(red), std::uint8_t(green), std::uint8_t(blue)});
}

QRgb Shown(const TAwbmLogo& logo, int x, int y) {
    return TAwbmLogo::ToRgb(logo.Palette()[logo.Index(x, y)]);
}

// A grey ramp from black to white across the picture.
QImage Ramp(int width, int height) {
    QImage ramp(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int grey = x * 255 / (width - 1);
            ramp.setPixel(x, y, qRgb(grey, grey, grey));
        }
    return ramp;
}

// How far the picture's 8 × 8 block averages lie from the logo's, on average: what the eye sees
// from a distance.
double BlockError(const QImage& picture, const TAwbmLogo& logo) {
    double error = 0;
    int blocks = 0;
    for (int by = 0; by + 8 <= picture.height(); by += 8)
        for (int bx = 0; bx + 8 <= picture.width(); bx += 8) {
            double wanted = 0;
            double shown = 0;
            for (int y = by; y < by + 8; ++y)
                for (int x = bx; x < bx + 8; ++x) {
                    wanted += qGreen(picture.pixel(x, y));
                    shown += qGreen(Shown(logo, x, y));
                }
            error += std::abs(wanted - shown) / 64;
            ++blocks;
        }
    return error / blocks;
}

} // namespace

TEST(Quantizer, KeepsEveryColourOfAPictureWithNoMoreColoursThanThePalette) {
    for (const int colors : {16, 256}) {
        QImage picture(31, 17, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const int n = (x + y * 7) % colors;
                picture.setPixel(x, y, Exact(n % 64, (n * 5) % 64, 63 - n % 64));
            }
        for (const bool dither : {false, true}) {
            const TAwbmLogo logo = Quantize(RgbRowsOf(picture), colors, dither);
            ASSERT_EQ(logo.Colors(), colors);
            ASSERT_EQ(logo.Width(), 31);
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    ASSERT_EQ(Shown(logo, x, y), picture.pixel(x, y))
                        << colors << " colours, dither " << dither << " at " << x << "," << y;
        }
    }
}

TEST(Quantizer, SpreadsSixteenGreysOverARampAndDitheringKeepsItsShadesFromAfar) {
    const QImage ramp = Ramp(256, 32);
    const TAwbmLogo plain = Quantize(RgbRowsOf(ramp), 16, false);
    std::set<int> greys;
    for (const TAwbmColor c : plain.Palette()) {
        EXPECT_EQ(c.red, c.green);
        EXPECT_EQ(c.green, c.blue);
        greys.insert(c.green);
    }
    EXPECT_EQ(greys.size(), 16u) << "no entry wasted on a shade twice";
    EXPECT_LT(BlockError(ramp, plain), 6.0);
    const TAwbmLogo dithered = Quantize(RgbRowsOf(ramp), 16, true);
    EXPECT_LT(BlockError(ramp, dithered), BlockError(ramp, plain) / 2);
}

TEST(Quantizer, OnePixelIsALogoToo) {
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(qRgb(255, 255, 0));
    for (const int colors : {16, 256}) {
        const TAwbmLogo logo = Quantize(RgbRowsOf(pixel), colors, true);
        EXPECT_EQ(logo.Palette().size(), std::size_t(colors));
        EXPECT_EQ(Shown(logo, 0, 0), qRgb(255, 255, 0));
    }
}

TEST(Quantizer, GivesAFewPixelsOfAStrongColourTheirOwnEntry) {
    QImage picture = Ramp(200, 100);
    for (int y = 10; y < 14; ++y)
        for (int x = 10; x < 14; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    const TAwbmLogo logo = Quantize(RgbRowsOf(picture), 16, false);
    EXPECT_EQ(Shown(logo, 12, 12), qRgb(255, 0, 0));
}

namespace {

double Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return std::sqrt(double(dr * dr + dg * dg + db * db));
}

// A rainbow of strong colours above a large flat rectangle of one colour.
QImage FlatBelowARainbow(QRgb flat) {
    QImage picture(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y,
                             QColor::fromHsv(x * 359 / picture.width(), 255, 128 + y * 3).rgb());
    for (int y = 40; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, flat);
    return picture;
}

} // namespace

// Colours the six-bit DAC cannot show (green 192 lies between the levels 190 and 195), below
// strong colours whose error reaches into the rectangle's first rows.
TEST(Quantizer, DitheringAFlatAreaUsesOnlyTheEntriesAroundItsColour) {
    for (const QRgb flat : {qRgb(40, 192, 40), qRgb(200, 30, 90), qRgb(130, 131, 250),
                            qRgb(250, 210, 20), qRgb(97, 97, 97)}) {
        const QImage picture = FlatBelowARainbow(flat);
        for (const int colors : {16, 256}) {
            const TAwbmLogo logo = Quantize(RgbRowsOf(picture), colors, true);
            double nearest = 1e9;
            for (const TAwbmColor entry : logo.Palette())
                nearest = std::min(nearest, Distance(TAwbmLogo::ToRgb(entry), flat));
            // The entries a dither may mix for this colour: none further than twice the
            // nearest one and a DAC step.
            const double reach = 2 * nearest + 4;
            int faroff = 0;
            for (int y = 40; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    faroff += Distance(Shown(logo, x, y), flat) > reach;
            EXPECT_EQ(faroff, 0) << colors << " colours, flat " << QColor(flat).name().toStdString()
                                 << ": the nearest entry lies " << nearest << " away";
        }
    }
}

// Without dithering every pixel shows an entry as near its colour as any: colours only a step or
// two apart, which a coarser lookup would give to a neighbouring entry, included.
TEST(Quantizer, MapsEveryPixelToItsNearestEntry) {
    QImage picture(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x + y / 4, 60 + (x * y) % 97, 200 - y));
    for (const int colors : {16, 256}) {
        const TAwbmLogo logo = Quantize(RgbRowsOf(picture), colors, false);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                double best = 1e9;
                for (const TAwbmColor entry : logo.Palette())
                    best = std::min(best, Distance(TAwbmLogo::ToRgb(entry), picture.pixel(x, y)));
                ASSERT_EQ(Distance(Shown(logo, x, y), picture.pixel(x, y)), best)
                    << colors << " colours at " << x << "," << y;
            }
    }
}

// With 256 entries a picture whose every colour lies within two DAC steps of an entry is shown
// by entries as near as without dithering: no noise for shades the eye can hardly tell apart.
TEST(Quantizer, DitheringWithManyEntriesLeavesColoursNearAnEntryAlone) {
    QImage picture(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int block = y / 4 * 16 + x / 4;
            const int grain = 4 * ((x + 2 * y) % 3 - 1);
            const QRgb centre =
                Exact(block % 8 * 3 + 10, block / 8 % 8 * 3 + 10, block / 64 * 3 + 10);
            picture.setPixel(x, y,
                             qRgb(qRed(centre) + grain, qGreen(centre) - grain, qBlue(centre)));
        }
    const TAwbmLogo plain = Quantize(RgbRowsOf(picture), 256, false);
    const TAwbmLogo dithered = Quantize(RgbRowsOf(picture), 256, true);
    int moved = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            moved += Distance(Shown(dithered, x, y), picture.pixel(x, y)) >
                     Distance(Shown(plain, x, y), picture.pixel(x, y));
    EXPECT_EQ(moved, 0);
}
