#include "logo/FullScreenPicture.h"
#include "runtime/Bitmap.h"

#include <gtest/gtest.h>

namespace {

TBitmap BitmapOf(const QImage& image) {
    TBitmap bitmap;
    bitmap.SetImage(image);
    return bitmap;
}

QImage Stripes(QImage::Format format) {
    QImage image(7, 5, format);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 36, y * 60, (x + y) * 20));
    return image;
}

} // namespace

// A picture at its own size is its pixels in true colour, whatever depth it was stored at.
TEST(FullScreenPicture, AtItsOwnSizeIsThePictureOnBlackInTrueColour) {
    const QImage stripes = Stripes(QImage::Format_RGB32);
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        TBitmap bitmap = BitmapOf(stripes.convertToFormat(format));
        const QImage shown = FullScreenPicture(bitmap);
        ASSERT_EQ(shown.format(), QImage::Format_RGB32);
        EXPECT_EQ(shown, stripes) << format;
    }
    QImage indexed(3, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(250, 0, 120), qRgb(0, 255, 0)});
    for (int i = 0; i < 6; ++i)
        indexed.setPixel(i % 3, i / 3, uint(i % 3));
    TBitmap bitmap = BitmapOf(indexed);
    EXPECT_EQ(FullScreenPicture(bitmap), indexed.convertToFormat(QImage::Format_RGB32));
}

// Into a wider size the picture is scaled to the full height, centred between black bars, and
// does not change the picture it was given.
TEST(FullScreenPicture, IntoAnotherSizeIsCentredOnBlack) {
    QImage white(10, 10, QImage::Format_RGB32);
    white.fill(Qt::white);
    TBitmap bitmap = BitmapOf(white);
    const QImage shown = FullScreenPicture(bitmap, QSize(40, 20));
    ASSERT_EQ(shown.size(), QSize(40, 20));
    EXPECT_EQ(shown.pixel(0, 10), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(39, 10), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(20, 0), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(20, 19), qRgb(255, 255, 255));
    EXPECT_EQ(FittedPlace({10, 10}, {40, 20}), QRect(10, 0, 20, 20));
    EXPECT_EQ(bitmap.Image().size(), QSize(10, 10));
}
