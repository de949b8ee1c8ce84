#include "runtime/DecodedBitmap.h"
#include "runtime/Exception.h"
#include "runtime/Picture.h"
#include "tests/MemoryLimit.h"
#include "tests/TestDir.h"
#include "tests/ZeroPng.h"

#include <QBuffer>
#include <QtEndian>
#include <gtest/gtest.h>
#include <optional>

TEST(DecodedBitmap, PngAndJpegLoadAsBitmapsByAnyCaseOfTheirExtension) {
    TestDir dir;
    dir.Write("a.PNG", TestData("pictures/logo.png"));
    dir.Write("b.Jpeg", TestData("pictures/logo.jpg"));
    dir.Write("c.jpg", TestData("pictures/logo.jpg"));
    for (const QString name : {"a.PNG", "b.Jpeg", "c.jpg"}) {
        TPicture picture;
        picture.LoadFromFile(dir.Path(name));
        ASSERT_TRUE(picture.HoldsBitmap()) << name.toStdString();
        TBitmap& bitmap = picture.Bitmap();
        EXPECT_EQ(bitmap.Width(), 136);
        EXPECT_EQ(qGray(bitmap.Image().pixel(20, 20)), 255 - qGray(bitmap.Image().pixel(80, 20)))
            << name.toStdString();
    }
    TPicture png;
    png.LoadFromFile(dir.Path("a.PNG"));
    EXPECT_EQ(png.Bitmap().PixelFormat(), TPixelFormat::pf1bit) << "a 1-bit PNG keeps its depth";
    EXPECT_EQ(png.Bitmap().Canvas().Pixel(20, 20), clWhite);
}

TEST(DecodedBitmap, SeeThroughPixelsShowBlack) {
    TDecodedBitmap bitmap("png", "PNG");
    bitmap.LoadFromBytes(TestData("pictures/alpha.png"));
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clBlack);
    EXPECT_EQ(bitmap.Canvas().Pixel(6, 6), clWhite);
    EXPECT_FALSE(bitmap.Image().hasAlphaChannel());
}

TEST(DecodedBitmap, ADamagedFileSaysWhichKindAndChangesNothing) {
    TDecodedBitmap bitmap("png", "PNG");
    bitmap.LoadFromBytes(TestData("pictures/logo.png"));
    const QImage before = bitmap.Image();
    const QList<std::tuple<QByteArray, QString, QString>> cases = {
        {"png", "PNG", "pictures/truncated.png"},
        {"jpeg", "JPEG", "pictures/truncated.jpg"},
        {"png", "PNG", "pictures/logo.jpg"}};
    for (const auto& [format, kind, fixture] : cases) {
        TDecodedBitmap other(format, kind);
        try {
            other.LoadFromBytes(TestData(fixture));
            ADD_FAILURE() << fixture.toStdString() << " loaded";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), kind + " image is not valid");
        }
    }
    EXPECT_THROW(bitmap.LoadFromBytes(TestData("pictures/truncated.png")), Exception);
    EXPECT_EQ(bitmap.Image(), before);
}

TEST(DecodedBitmap, AnEndlessStreamIsReadNoFurtherThanTheLargestFile) {
    QFile zero(QStringLiteral("/dev/zero"));
    ASSERT_TRUE(zero.open(QIODevice::ReadOnly));
    TDecodedBitmap bitmap("png", "PNG");
    try {
        bitmap.LoadFromStream(zero);
        ADD_FAILURE() << "loaded";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Picture file is too large (more than 128 MB)");
    }
}

namespace {

QString LoadFailure(const QByteArray& format, const QString& kind, const QByteArray& bytes) {
    TDecodedBitmap bitmap(format, kind);
    try {
        bitmap.LoadFromBytes(bytes);
    } catch (const Exception& e) {
        EXPECT_TRUE(bitmap.Empty());
        return e.Message();
    }
    return {};
}

QByteArray Jpeg(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpeg", 90);
    return buffer.data();
}

} // namespace

TEST(DecodedBitmap, AJpegOrPngCutShortIsRefusedNotDrawnWithItsEndBlack) {
    const QByteArray jpeg = TestData("pictures/logo.jpg");
    ASSERT_EQ(LoadFailure("jpeg", "JPEG", jpeg), "");
    for (qint64 length = 700; length < jpeg.size(); length += (jpeg.size() - 700) / 8)
        EXPECT_EQ(LoadFailure("jpeg", "JPEG", jpeg.left(length)), "JPEG image is not valid")
            << length;
    EXPECT_EQ(LoadFailure("jpeg", "JPEG", jpeg.left(jpeg.size() - 1)), "JPEG image is not valid");

    // A thumbnail's end marker, inside a segment before the picture's own scan, is no end.
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::red);
    const QByteArray thumbnail = Jpeg(small);
    QByteArray segment("\xFF\xE1\0\0Thumb", 9);
    segment.append(thumbnail);
    qToBigEndian<quint16>(quint16(segment.size() - 2), segment.data() + 2);
    const QByteArray withThumbnail = jpeg.left(2) + segment + jpeg.mid(2);
    EXPECT_EQ(LoadFailure("jpeg", "JPEG", withThumbnail), "");
    EXPECT_EQ(LoadFailure("jpeg", "JPEG", withThumbnail.left(withThumbnail.size() - 200)),
              "JPEG image is not valid");

    const QByteArray png = TestData("pictures/logo.png");
    EXPECT_EQ(LoadFailure("png", "PNG", png.left(png.size() - 12)), "PNG image is not valid")
        << "no end chunk";
}

TEST(DecodedBitmap, APictureLargerThanItsFileMayCostIsRefusedBeforeItIsDecoded) {
    // 5000 × 6000 pixels of 32 bits in 120 kB: 120 MB once decoded, more than 64 MB and the file.
    const QByteArray large = ZeroPng(5000, 6000, 8);
    ASSERT_LT(large.size(), 1 << 20);
    EXPECT_EQ(LoadFailure("png", "PNG", ZeroPng(500, 600, 8)), "") << "the same made small loads";
    std::optional<memory_limit::Scope> limit;
    if (memory_limit::Enforceable())
        limit.emplace(48 * memory_limit::MB);
    EXPECT_EQ(LoadFailure("png", "PNG", large), "PNG image is too large: 5000 × 6000");
    EXPECT_EQ(LoadFailure("png", "PNG", ZeroPng(5000, 6000, 16)),
              "PNG image is too large: 5000 × 6000");
}
