#include "runtime/DecodedBitmap.h"
#include "runtime/Exception.h"
#include "runtime/Picture.h"
#include "tests/TestDir.h"

#include <gtest/gtest.h>

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
    TestDir dir;
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.Path("zero.png")));
    TPicture picture;
    try {
        picture.LoadFromFile(dir.Path("zero.png"));
        ADD_FAILURE() << "loaded";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Picture file is too large (more than 128 MB)");
    }
}
