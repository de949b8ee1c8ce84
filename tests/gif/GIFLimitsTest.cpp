// What a GIF file can make us spend: a few header bytes may ask for a huge frame or a great
// many frames, and a stream may never end.

#include "gif/GIFImage.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "runtime/Picture.h"
#include "tests/MemoryLimit.h"
#include "tests/TestDir.h"
#include "tests/gif/GIFBuilder.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// The least data of an image of 1 or 8 colour bits: the minimum code size, a clear code and the
// end code, which leave every pixel index 0.
const QByteArray kNoPixels1("\x02\x01\x2c\x00", 4);
const QByteArray kNoPixels8("\x08\x03\x00\x03\x02\x00", 6);

QByteArray OneFrame(int width, int height, int bits) {
    const QByteArray& data = bits == 8 ? kNoPixels8 : kNoPixels1;
    return TGIFBuilder().Screen(width, height, bits).Image(width, height, data).Bytes();
}

QString Failure(const std::function<void()>& work) {
    try {
        work();
    } catch (const Exception& failure) {
        return failure.Message();
    }
    return {};
}

QString LoadFailure(const QByteArray& bytes) {
    TGIFImage image;
    return Failure([&] { image.LoadFromBytes(bytes); });
}

// A picture holder with a 3 × 3 bitmap, which a failed load must leave in place; GIF files load
// into it as the window's pictures do.
struct Holder {
    Holder() {
        RegisterGIFImage();
        picture.SetGraphic(std::make_unique<TBitmap>(3, 3, TPixelFormat::pf24bit));
    }
    ~Holder() { UnregisterGIFImage(); }
    bool Kept() const { return picture.HoldsBitmap() && picture.Width() == 3; }
    QString LoadFailure(const QString& fileName) {
        return Failure([&] { picture.LoadFromFile(fileName); });
    }
    TPicture picture;
};

} // namespace

TEST(GIFLimits, FramesAreLimitedByTheBytesTheirPixelsTake) {
    // 64 MB: 8192 × 8192 at a byte a pixel, or 65535 × 8192 at a bit a pixel (8192 bytes a row).
    EXPECT_EQ(LoadFailure(OneFrame(8193, 8192, 8)), "GIF image is too large");
    EXPECT_EQ(LoadFailure(OneFrame(8192, 8193, 8)), "GIF image is too large");
    EXPECT_EQ(LoadFailure(OneFrame(16384, 16384, 8)), "GIF image is too large");
    EXPECT_EQ(LoadFailure(OneFrame(65535, 8193, 1)), "GIF image is too large");

    TGIFImage largest;
    largest.LoadFromBytes(OneFrame(8192, 8192, 8));
    EXPECT_EQ(largest.Width(), 8192);
    EXPECT_FALSE(largest.Frames(0).Corrupted());
    EXPECT_EQ(largest.Frames(0).Bitmap().Image().pixelIndex(8191, 8191), 0);
}

TEST(GIFLimits, AHugeFrameDrawsOnlyWhatLandsOnTheTarget) {
    if (!memory_limit::Enforceable())
        GTEST_SKIP()
            << "no address-space limit under sanitizers or on a heap with large free blocks";
    // 16384 × 16384 one-bit pixels: 32 MB, which may be held, but not 1 GB in 32 bits.
    TGIFImage image;
    image.LoadFromBytes(OneFrame(16384, 16384, 1));
    const TColor lit = FromQRgb(TGIFBuilder::Entry(1));
    image.Frames(0).Bitmap().Canvas().SetPixel(135, 125, lit);
    TBitmap logo(136, 126, TPixelFormat::pf24bit);
    {
        memory_limit::Scope limit(64 * memory_limit::MB);
        logo.Canvas().Draw(0, 0, image);
    }
    EXPECT_EQ(logo.Canvas().Pixel(135, 125), lit);
    EXPECT_EQ(logo.Canvas().Pixel(134, 125), FromQRgb(TGIFBuilder::Entry(0)));
}

TEST(GIFLimits, NoMemoryForAFrameIsReportedAndThePictureKept) {
    if (!memory_limit::Enforceable())
        GTEST_SKIP()
            << "no address-space limit under sanitizers or on a heap with large free blocks";
    TestDir dir;
    dir.Write("big.gif", OneFrame(8192, 8192, 8));
    Holder holder;
    QString message;
    {
        memory_limit::Scope limit(32 * memory_limit::MB);
        message = holder.LoadFailure(dir.Path("big.gif"));
    }
    EXPECT_EQ(message, "Not enough memory to load " + dir.Path("big.gif"));
    EXPECT_TRUE(holder.Kept());
}
