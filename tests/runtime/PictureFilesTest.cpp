#include "runtime/Bitmap.h"
#include "runtime/BmpFile.h"
#include "runtime/PngFile.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

namespace {

QByteArray QtBmp(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(image);
    return buffer.data();
}

QByteArray Saved(const TBitmap& bitmap) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bitmap.SaveToStream(buffer);
    return buffer.data();
}

QList<QRgb> Greys(int count) {
    QList<QRgb> colors;
    for (int i = 0; i < count; ++i)
        colors.append(qRgb(i, 255 - i, i / 2));
    return colors;
}

// Every pixel a different index where the palette allows, so that a nibble or a row out of
// place shows.
QImage Indexed(int width, int height, int colors) {
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(Greys(colors));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint((x * 7 + y * 3) % colors));
    return image;
}

TIndexedPicture PictureOf(const QImage& image) {
    TIndexedPicture picture{image.width(), image.height(), {}, {}};
    const QList<QRgb> colors = image.colorTable();
    picture.palette.assign(colors.begin(), colors.end());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            picture.indices.push_back(std::uint8_t(image.pixelIndex(x, y)));
    return picture;
}

} // namespace

// Odd widths leave half a byte and padding in each 4-bit row; 3 and 16 colours take 4 bits, 20
// and 256 take 8; 24 bits pad their rows of 15 bytes. 1- and 8-bit rows fill whole words: Qt pads
// those with whatever its buffer held.
TEST(BmpFile, BitmapsSaveTheBytesQtsWriterMakesAtEveryDepthAndResolution) {
    QImage rgb(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            rgb.setPixel(x, y, qRgb(x * 40, y * 90, 200 - x));
    QImage mono(64, 3, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(1, 0, 1);
    mono.setPixel(63, 2, 1);
    for (QImage image :
         {Indexed(5, 3, 3), Indexed(7, 4, 16), Indexed(8, 2, 20), Indexed(12, 3, 256), rgb, mono}) {
        for (const int dotsPerMeter : {BmpFile::ScreenlessDotsPerMeter, 3780}) {
            image.setDotsPerMeterX(dotsPerMeter);
            image.setDotsPerMeterY(dotsPerMeter + 1);
            TBitmap bitmap;
            bitmap.SetImage(image);
            EXPECT_EQ(Saved(bitmap), QtBmp(image)) << image.format() << " " << image.width();
        }
    }
}

// Qt leaves whatever its buffer held in the padding of a 1- or 8-bit row; ours is zero.
TEST(BmpFile, PadsRowsWithZeroBytes) {
    TBitmap mono(3, 2, TPixelFormat::pf1bit);
    mono.Canvas().SetPixel(0, 1, clWhite);
    const QByteArray bits = Saved(mono);
    ASSERT_EQ(bits.size(), 62 + 2 * 4);
    EXPECT_EQ(bits.right(8), QByteArray("\x80\0\0\0\0\0\0\0", 8)) << "bottom row first";
    TBitmap bytes;
    bytes.SetImage(Indexed(5, 2, 20));
    const QByteArray rows = Saved(bytes).right(2 * 8);
    EXPECT_EQ(rows, QByteArray("\3\12\21\4\13\0\0\0\0\7\16\1\10\0\0\0", 16));
}

// The 8-bit rows fill whole words, so that Qt's padding holds nothing of its buffer.
TEST(BmpFile, AnIndexedPictureIsWrittenAsTheBitmapOfItWithoutAScreen) {
    for (const QImage& image : {Indexed(5, 3, 16), Indexed(8, 2, 256)}) {
        const TIndexedPicture picture = PictureOf(image);
        QImage shown = TBitmap::OfIndexed(picture).Image();
        shown.setDotsPerMeterX(BmpFile::ScreenlessDotsPerMeter);
        shown.setDotsPerMeterY(BmpFile::ScreenlessDotsPerMeter);
        EXPECT_EQ(BmpFile::Indexed(picture), QtBmp(shown));
    }
}

// Read back by Qt's reader (libpng, which checks every chunk's CRC): the same size, palette
// and indices, at 4 bits for 16 colours and 8 for more.
TEST(PngFile, ReadsBackAsTheSamePaletteAndIndicesAtBothDepths) {
    for (const QImage& image : {Indexed(7, 3, 16), Indexed(1, 1, 2), Indexed(9, 5, 256)}) {
        const QByteArray png = PngFile::Indexed(PictureOf(image));
        EXPECT_EQ(png.at(24), image.colorCount() <= 16 ? 4 : 8) << "the header's bit depth";
        QImage back;
        ASSERT_TRUE(back.loadFromData(png, "png")) << image.width();
        ASSERT_EQ(back.format(), QImage::Format_Indexed8);
        EXPECT_EQ(back.colorTable(), image.colorTable());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(back.pixelIndex(x, y), image.pixelIndex(x, y)) << x << "," << y;
    }
}
