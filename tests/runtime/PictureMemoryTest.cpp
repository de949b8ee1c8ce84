// Pictures whose pixels do not fit in memory, or whose files never end: a clear failure, never a
// blank picture taken for a real one.

#include "runtime/Bitmap.h"
#include "runtime/Picture.h"
#include "tests/Failure.h"
#include "tests/MemoryLimit.h"
#include "tests/TestDir.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

// 7 × 5 pixels, each of its own colour.
QImage Distinct() {
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(30 * x, 40 * y, 200));
    return image;
}

TBitmap Filled(int width, int height) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    bitmap.Canvas().FillRect(QRect(0, 0, width, height), clLime);
    return bitmap;
}

} // namespace

TEST(PictureMemory, StretchingPicksThePixelUnderEachCentre) {
    QImage pair(2, 1, QImage::Format_RGB32);
    pair.setPixel(0, 0, qRgb(255, 0, 0));
    pair.setPixel(1, 0, qRgb(0, 0, 255));
    TBitmap wide = Filled(3, 1);
    wide.Canvas().DrawImage(QRect(0, 0, 3, 1), pair);
    EXPECT_EQ(wide.Canvas().Pixel(1, 0), clRed);
    EXPECT_EQ(wide.Canvas().Pixel(2, 0), clBlue);

    QImage four(4, 1, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x)
        four.setPixel(x, 0, qRgb(0, 0, 60 * x));
    TBitmap narrow = Filled(2, 1);
    narrow.Canvas().DrawImage(QRect(0, 0, 2, 1), four);
    EXPECT_EQ(narrow.Canvas().Pixel(0, 0), FromQRgb(qRgb(0, 0, 0)));
    EXPECT_EQ(narrow.Canvas().Pixel(1, 0), FromQRgb(qRgb(0, 0, 120)));
}

TEST(PictureMemory, APictureCutByTheCanvasEdgeDrawsAsTheSamePartOfTheWhole) {
    const QImage source = Distinct();
    const TColor transparent = FromQRgb(source.pixel(3, 2));
    TBitmap whole = Filled(23, 17);
    whole.Canvas().DrawImage(QRect(0, 0, 23, 17), source, transparent);
    TBitmap cut = Filled(10, 8);
    cut.Canvas().DrawImage(QRect(-3, -2, 23, 17), source, transparent);
    for (int y = 0; y < cut.Height(); ++y)
        for (int x = 0; x < cut.Width(); ++x)
            ASSERT_EQ(cut.Canvas().Pixel(x, y), whole.Canvas().Pixel(x + 3, y + 2))
                << x << "," << y;

    TBitmap beside = Filled(4, 4);
    beside.Canvas().DrawImage(QRect(4, 0, 7, 5), source);
    beside.Canvas().DrawImage(QRect(-7, 0, 7, 5), source);
    EXPECT_EQ(beside.Canvas().Pixel(0, 0), clLime);
    EXPECT_EQ(beside.Canvas().Pixel(3, 3), clLime);
}

TEST(PictureMemory, AConversionWithoutMemoryFailsAndKeepsTheBitmap) {
    if (!memory_limit::Enforceable())
        GTEST_SKIP()
            << "no address-space limit under sanitizers or on a heap with large free blocks";
    // 32768 × 16384 pixels of a bit: 64 MB held, 64 MB more to convert.
    const QImage huge(32768, 16384, QImage::Format_MonoLSB);
    ASSERT_FALSE(huge.isNull());
    TBitmap bitmap = Filled(2, 2);
    {
        memory_limit::Scope limit(16 * memory_limit::MB);
        EXPECT_THROW(bitmap.SetImage(huge), std::bad_alloc);
    }
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clLime);
}

TEST(PictureMemory, AStreamThatNeverEndsIsReadNoFurtherThanTheLargestPicture) {
    QFile zero(QStringLiteral("/dev/zero"));
    ASSERT_TRUE(zero.open(QIODevice::ReadOnly));
    TBitmap bitmap(3, 3, TPixelFormat::pf24bit);
    // Should reading not stop, the test fails rather than the machine.
    std::optional<memory_limit::Scope> limit;
    if (memory_limit::Available)
        limit.emplace(768 * memory_limit::MB);
    EXPECT_EQ(Failure([&] { bitmap.LoadFromStream(zero); }),
              "Picture file is too large (more than 128 MB)");
    EXPECT_EQ(bitmap.Width(), 3);
}
