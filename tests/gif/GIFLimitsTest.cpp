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
