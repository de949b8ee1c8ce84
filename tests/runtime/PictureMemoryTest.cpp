// Pictures whose pixels do not fit in memory, or whose files never end: a clear failure, never a
// blank picture taken for a real one.

#include "runtime/Bitmap.h"
#include "tests/MemoryLimit.h"

#include <gtest/gtest.h>

namespace {

TBitmap Filled(int width, int height) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    bitmap.Canvas().FillRect(QRect(0, 0, width, height), clLime);
    return bitmap;
}

} // namespace

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
