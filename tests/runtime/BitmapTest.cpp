#include "runtime/Bitmap.h"
#include "runtime/InvalidGraphic.h"
#include "runtime/Picture.h"
#include "tests/MemoryLimit.h"
#include "tests/TestDir.h"

#include <QBuffer>
#include <QtEndian>
#include <gtest/gtest.h>
#include <optional>

namespace {

TBitmap Load(const QString& name) {
    TBitmap bitmap;
    bitmap.LoadFromFile(TestDataPath("bmp/" + name));
    return bitmap;
}

} // namespace

TEST(Bitmap, LoadsEveryCommonVariantWithItsDepthAndColours) {
    struct Case {
        const char* file;
        TPixelFormat format;
        int width;
    };
    for (const Case& c :
         {Case{"mono1.bmp", TPixelFormat::pf1bit, 20}, Case{"pal4.bmp", TPixelFormat::pf4bit, 20},
          Case{"pal8.bmp", TPixelFormat::pf8bit, 40}, Case{"rgb24.bmp", TPixelFormat::pf24bit, 20},
          Case{"argb32.bmp", TPixelFormat::pf32bit, 20}, Case{"rle8.bmp", TPixelFormat::pf8bit, 20},
          Case{"os2.bmp", TPixelFormat::pf4bit, 20}}) {
        SCOPED_TRACE(c.file);
        const TBitmap bitmap = Load(c.file);
        EXPECT_EQ(bitmap.PixelFormat(), c.format);
        EXPECT_EQ(bitmap.Width(), c.width);
        EXPECT_EQ(bitmap.Height(), 10);
        if (c.format != TPixelFormat::pf1bit && c.format != TPixelFormat::pf8bit) {
            EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clRed);
            EXPECT_EQ(bitmap.Canvas().Pixel(19, 9), clLime);
            EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clBlack);
        }
    }
    const TBitmap mono = Load("mono1.bmp");
    EXPECT_EQ(mono.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(mono.Canvas().Pixel(19, 9), clWhite);
    EXPECT_EQ(mono.Canvas().Pixel(1, 0), clBlack);
}

TEST(Bitmap, DamagedOrForeignFilesFailAndLeaveTheBitmapAsItWas) {
    TBitmap bitmap(3, 3, TPixelFormat::pf1bit);
    for (const QByteArray& bytes : {QByteArray(), QByteArray("BM"), TestData("bmp/truncated.bmp"),
                                    QByteArray("GIF89a") + QByteArray(40, 0)}) {
        try {
            bitmap.LoadFromBytes(bytes);
            ADD_FAILURE() << "loaded " << bytes.size() << " bytes";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "Bitmap image is not valid");
        }
        EXPECT_EQ(bitmap.Width(), 3);
    }
}

TEST(Bitmap, SavesIndexedBitmapsAtTheirOwnDepthWithTheirPalette) {
    TestDir dir;
    TBitmap mono(137, 127, TPixelFormat::pf1bit);
    mono.Canvas().SetPixel(136, 126, clWhite);
    mono.SaveToFile(dir.Path("m.bmp"));
    const QByteArray bytes = dir.Read("m.bmp");
    EXPECT_EQ(bytes[28], 1) << "bits per pixel";
    EXPECT_EQ(bytes.size(), 14 + 40 + 8 + 20 * 127) << "rows padded to 4 bytes";

    TBitmap back;
    back.LoadFromFile(dir.Path("m.bmp"));
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf1bit);
    EXPECT_EQ(back.Canvas().Pixel(136, 126), clWhite);
    EXPECT_EQ(back.Canvas().Pixel(0, 0), clBlack);

    TBitmap four(5, 2, TPixelFormat::pf4bit);
    four.Canvas().SetPixel(4, 1, clTeal);
    four.SaveToFile(dir.Path("f.bmp"));
    EXPECT_EQ(dir.Read("f.bmp")[28], 4);
    back.LoadFromFile(dir.Path("f.bmp"));
    EXPECT_EQ(back.Palette(), StandardPalette16());
    EXPECT_EQ(back.Canvas().Pixel(4, 1), clTeal);
}

TEST(Bitmap, ResizingKeepsWhatFitsAndCopiesAreIndependent) {
    TBitmap bitmap(4, 4, TPixelFormat::pf4bit);
    bitmap.Canvas().SetPixel(1, 1, clRed);
    TBitmap copy = bitmap;
    bitmap.SetSize(2, 6);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clRed);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 5), clBlack);
    copy.Canvas().SetPixel(1, 1, clBlue);
    EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clRed);
}

TEST(Picture, ChoosesTheKindByExtensionAndKeepsItsPictureOnFailure) {
    TestDir dir;
    dir.Write("LOGO1.BMP", TestData("bmp/mono1.bmp"));
    TPicture picture;
    picture.LoadFromFile(dir.Path("LOGO1.BMP"));
    EXPECT_TRUE(picture.HoldsBitmap());
    EXPECT_EQ(picture.Width(), 20);

    const auto message = [&](const QString& file) {
        try {
            picture.LoadFromFile(file);
        } catch (const EInvalidGraphic& e) {
            return e.Message();
        }
        return QString();
    };
    EXPECT_EQ(message("logo.tif"), "Unknown picture file extension (.tif)");
    EXPECT_EQ(message("/nowhere/zembmp.bmp"), "Cannot open file /nowhere/zembmp.bmp");
    EXPECT_EQ(message(TestDataPath("bmp/truncated.bmp")), "Bitmap image is not valid");
    EXPECT_EQ(picture.Width(), 20);
}

TEST(Picture, PixelWorkNeedsABitmap) {
    TPicture picture;
    EXPECT_THROW(picture.Bitmap(), EInvalidGraphic);
    picture.SetGraphic(std::make_unique<TBitmap>(2, 2, TPixelFormat::pf24bit));
    EXPECT_NO_THROW(picture.Bitmap().Canvas().SetPixel(0, 0, clRed));
}

// The top-left part of a file reads the same whether only its rows are read (uncompressed
// files, bottom-up or top-down) or the whole file is read and cut (RLE, bit fields, OS/2).
TEST(Bitmap, TheTopLeftPartOfAFileIsWhatTheWholeFileShowsThere) {
    QByteArray topDown = TestData("bmp/pal8.bmp");
    const auto* header = reinterpret_cast<const uchar*>(topDown.constData());
    const qint64 start = qFromLittleEndian<quint32>(header + 10);
    const qint32 height = qFromLittleEndian<qint32>(header + 22);
    const qint64 stride = (topDown.size() - start) / height;
    QByteArray rows;
    for (qint32 row = height - 1; row >= 0; --row)
        rows += topDown.mid(start + row * stride, stride);
    topDown = topDown.left(start) + rows;
    qToLittleEndian<qint32>(-height, topDown.data() + 22);

    for (const char* kind :
         {"mono1", "pal4", "pal8", "rgb24", "argb32", "rle8", "os2", "top-down"}) {
        const QString name = QString::fromLatin1(kind);
        SCOPED_TRACE(kind);
        const QByteArray file = name == "top-down" ? topDown : TestData("bmp/" + name + ".bmp");
        TBitmap whole;
        whole.LoadFromBytes(file);
        for (const QSize size : {QSize(7, 4), QSize(60, 30)}) {
            TBitmap part;
            part.LoadTopLeft(file, size);
            EXPECT_EQ(part.Image(),
                      whole.Image().copy(QRect(QPoint(0, 0), size) & whole.Image().rect()));
            EXPECT_EQ(part.PixelFormat(), whole.PixelFormat());
        }
    }
    TBitmap kept(3, 3, TPixelFormat::pf1bit);
    EXPECT_THROW(kept.LoadTopLeft(TestData("bmp/truncated.bmp"), QSize(2, 2)), EInvalidGraphic);
    EXPECT_EQ(kept.Width(), 3);
}

namespace {

// The logo drawing as the editor saves it: 136 × 126 pixels of one bit, 2,582 bytes.
QByteArray LogoFile() {
    TBitmap logo(136, 126, TPixelFormat::pf1bit);
    logo.Canvas().FillRect(QRect(10, 10, 100, 100), clWhite);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    logo.SaveToStream(buffer);
    return buffer.data();
}

QString LoadFailure(const QByteArray& bytes) {
    TBitmap bitmap(3, 3, TPixelFormat::pf1bit);
    try {
        bitmap.LoadFromBytes(bytes);
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(bitmap.Width(), 3);
        return e.Message();
    }
    return {};
}

// An 8-bit run-length bitmap of `width` × `height` pixels whose every row is one end-of-line
// code: a few bytes a row, whatever the width.
QByteArray RunLengthRows(int width, int height, bool endCode) {
    QByteArray file = TestData("bmp/rle8.bmp");
    const qint64 start = qFromLittleEndian<quint32>(file.constData() + 10);
    file.truncate(start);
    for (int y = 0; y < height; ++y)
        file.append(QByteArray("\x00\x00", 2));
    if (endCode)
        file.append(QByteArray("\x00\x01", 2));
    qToLittleEndian<qint32>(width, file.data() + 18);
    qToLittleEndian<qint32>(height, file.data() + 22);
    return file;
}

} // namespace

TEST(Bitmap, PixelsThatEndBeforeThePictureDoesAreRefusedNotDrawnBlack) {
    const QByteArray logo = LogoFile();
    ASSERT_EQ(logo.size(), 2582);
    EXPECT_EQ(LoadFailure(logo), "");
    for (qint64 length = 62; length < logo.size(); length += 37)
        EXPECT_EQ(LoadFailure(logo.left(length)), "Bitmap image is not valid") << length;
    EXPECT_EQ(LoadFailure(logo.left(logo.size() - 1)), "Bitmap image is not valid");

    QByteArray offset = logo;
    qToLittleEndian<quint32>(quint32(logo.size() + 1), offset.data() + 10);
    EXPECT_EQ(LoadFailure(offset), "Bitmap image is not valid") << "pixels past the end";

    const QByteArray rle = TestData("bmp/rle8.bmp");
    EXPECT_EQ(LoadFailure(rle), "");
    const qint64 codes = qFromLittleEndian<quint32>(rle.constData() + 10);
    EXPECT_EQ(LoadFailure(rle.left((codes + rle.size()) / 2)), "Bitmap image is not valid")
        << "run-length codes cut before their last row";
}

TEST(Bitmap, ADeclaredSizeTheDataCannotHoldIsRefusedBeforeAnythingIsAllocated) {
    // 5000 × 6000 pixels of 24 bits claimed in 1,054 bytes.
    QByteArray claims = TestData("bmp/rgb24.bmp").left(1054);
    qToLittleEndian<qint32>(5000, claims.data() + 18);
    qToLittleEndian<qint32>(6000, claims.data() + 22);
    // Run-length rows may truly be that short; the pixels they make (100 MB here) may not be
    // more than the limit for so small a file.
    const QByteArray runs = RunLengthRows(10000, 10000, true);
    ASSERT_LT(runs.size(), 30000);
    EXPECT_EQ(LoadFailure(RunLengthRows(64, 64, true)), "") << "the same made small loads";
    std::optional<memory_limit::Scope> limit;
    if (memory_limit::Enforceable())
        limit.emplace(48 * memory_limit::MB);
    EXPECT_EQ(LoadFailure(claims), "Bitmap image is not valid");
    EXPECT_EQ(LoadFailure(runs), "Bitmap image is too large: 10000 × 10000");
}
