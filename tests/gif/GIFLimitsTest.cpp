// What a GIF file can make us spend: a few header bytes may ask for a huge frame or a great
// many frames, and a stream may never end.

#include "gif/GIFImage.h"
#include "runtime/Bitmap.h"
#include "runtime/Picture.h"
#include "tests/Failure.h"
#include "tests/MemoryLimit.h"
#include "tests/TestDir.h"
#include "tests/gif/GIFBuilder.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>

namespace {

// The least data of an image of 1 or 8 colour bits: the minimum code size, a clear code and the
// end code, which leave every pixel index 0.
const QByteArray kNoPixels1("\x02\x01\x2c\x00", 4);
const QByteArray kNoPixels8("\x08\x03\x00\x03\x02\x00", 6);

QByteArray OneFrame(int width, int height, int bits) {
    const QByteArray& data = bits == 8 ? kNoPixels8 : kNoPixels1;
    return TGIFBuilder().Screen(width, height, bits).Image(width, height, data).Bytes();
}

QByteArray Frames(int count) {
    TGIFBuilder gif;
    gif.Screen(1, 1, 1);
    for (int i = 0; i < count; ++i)
        gif.Image(1, 1, kNoPixels1);
    return gif.Bytes();
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
    // 64 MB: 8192 × 8192 at a byte a pixel, which one-bit frames also take while decoded.
    EXPECT_EQ(LoadFailure(OneFrame(8193, 8192, 8)), "GIF image is too large");
    EXPECT_EQ(LoadFailure(OneFrame(8192, 8193, 8)), "GIF image is too large");
    EXPECT_EQ(LoadFailure(OneFrame(16384, 16384, 8)), "GIF image is too large");
    EXPECT_EQ(LoadFailure(OneFrame(8193, 8192, 1)), "GIF image is too large");

    TGIFImage largest;
    largest.LoadFromBytes(OneFrame(8192, 8192, 8));
    EXPECT_EQ(largest.Width(), 8192);
    EXPECT_FALSE(largest.Frames(0).Corrupted());
    EXPECT_EQ(largest.Frames(0).Bitmap().Image().pixelIndex(8191, 8191), 0);
}

TEST(GIFLimits, StoredPicturesLongerThanAnyPictureAreRefusedUnread) {
    QByteArray stored(4, '\0');
    qToLittleEndian<quint32>(quint32(TGraphic::LargestFile + 1), stored.data());
    QBuffer buffer(&stored);
    buffer.open(QIODevice::ReadOnly);
    TGIFImage image;
    EXPECT_EQ(Failure([&] { image.ReadData(buffer); }),
              "Picture file is too large (more than 128 MB)");
}

TEST(GIFLimits, AHugeFrameDrawsOnlyWhatLandsOnTheTarget) {
    if (!memory_limit::Enforceable())
        GTEST_SKIP()
            << "no address-space limit under sanitizers or on a heap with large free blocks";
    // 8192 × 8192 one-bit pixels: 8 MB, which may be held, but not 256 MB in 32 bits.
    TGIFImage image;
    image.LoadFromBytes(OneFrame(8192, 8192, 1));
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

TEST(GIFLimits, DevicesAndPipesAreRefusedWithoutReadingThem) {
    TestDir dir;
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.Path("zero.gif")));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.Path("pipe.gif")).constData(), 0600), 0);
    Holder holder;
    EXPECT_EQ(holder.LoadFailure(dir.Path("zero.gif")),
              "Cannot open file " + dir.Path("zero.gif") + ": it is a device, not a file");
    EXPECT_EQ(holder.LoadFailure(dir.Path("pipe.gif")),
              "Cannot open file " + dir.Path("pipe.gif") + ": it is a named pipe, not a file");
    EXPECT_TRUE(holder.Kept());
}

TEST(GIFLimits, ManyFramesCostLittleAndTooManyAreRefused) {
    EXPECT_EQ(LoadFailure(Frames(65537)), "GIF image has too many frames (more than 65536)");

    const QByteArray most = Frames(65536);
    const auto heap = [] {
        const struct mallinfo2 info = mallinfo2();
        return qint64(info.uordblks + info.hblkhd);
    };
    const qint64 before = heap();
    TGIFImage image;
    image.LoadFromBytes(most);
    ASSERT_EQ(image.Count(), 65536);
    if (!memory_limit::Available)
        GTEST_SKIP() << "the sanitizer's allocator keeps its own books";
    // Frames share the file's bytes and the global colour table; what is left is a frame and
    // its item, a few hundred bytes.
    EXPECT_LT((heap() - before - most.size()) / image.Count(), 320);
}
