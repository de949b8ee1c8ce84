// The GIF picture as the rest of the program uses it: copying, writing, stored data, the picture
// registry, the clipboard and drawing.

#include "gif/GIFImage.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "runtime/Picture.h"
#include "tests/Failure.h"
#include "tests/TestDir.h"
#include "tests/gif/GIFBuilder.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray Written(const TGIFImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.SaveToStream(buffer);
    return buffer.data();
}

// A 2 × 2 four-bit bitmap: red, white / white, blue.
TBitmap Flag() {
    TBitmap bitmap(2, 2, TPixelFormat::pf4bit,
                   {qRgb(255, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 255)});
    QImage pixels = bitmap.Image();
    pixels.setPixel(0, 0, 0);
    pixels.setPixel(1, 0, 1);
    pixels.setPixel(0, 1, 1);
    pixels.setPixel(1, 1, 2);
    bitmap.SetImage(pixels);
    return bitmap;
}

} // namespace

TEST(GIFImage, SizeCannotBeSetAndEmptyPicturesCannotBeWritten) {
    TGIFImage image;
    EXPECT_EQ(Failure([&] { image.SetWidth(10); }), "Cannot change the Size of a GIF image");
    EXPECT_EQ(Failure([&] { image.SetHeight(10); }), "Cannot change the Size of a GIF image");
    EXPECT_TRUE(image.Empty());
    EXPECT_EQ(image.CurrentIndex(), -1);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_TRUE(image.Palette().isEmpty());
    EXPECT_EQ(Failure([&] { Written(image); }), "No GIF Data to write");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(Failure([&] { image.WriteData(buffer); }), "No GIF Data to write");
    EXPECT_EQ(buffer.size(), 0);
    image.AddFrame(TBitmap());
    EXPECT_EQ(Failure([&] { Written(image); }), "No GIF Data to write");
}

TEST(GIFImage, StoredDataHasItsLengthInFront) {
    const QByteArray gif = TestData("gif/animation-256.gif");
    QByteArray stored(4, '\0');
    qToLittleEndian<quint32>(quint32(gif.size()), stored.data());
    QBuffer in;
    in.setData(stored + gif + "trailing bytes belong to someone else");
    in.open(QIODevice::ReadOnly);
    TGIFImage image;
    image.ReadData(in);
    EXPECT_EQ(image.Count(), 4);
    EXPECT_TRUE(image.Frames(0).HasBitmap());
    EXPECT_EQ(in.pos(), 4 + gif.size());

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    image.WriteData(out);
    const QByteArray written = out.data();
    EXPECT_EQ(qFromLittleEndian<quint32>(written.constData()), quint32(written.size() - 4));
    EXPECT_EQ(written.mid(4), Written(image));

    QBuffer cut;
    cut.setData(stored + gif.left(100));
    cut.open(QIODevice::ReadOnly);
    EXPECT_EQ(Failure([&] { image.ReadData(cut); }), "Stream read error");
}

TEST(GIFImage, RegisteredPicturesLoadByExtension) {
    RegisterGIFImage();
    TPicture picture;
    picture.LoadFromFile(TestDataPath("gif/looping.gif"));
    const auto* image = dynamic_cast<TGIFImage*>(picture.Graphic());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Count(), 3);
    EXPECT_EQ(picture.Width(), 30);
    UnregisterGIFImage();
    EXPECT_EQ(Failure([&] { picture.LoadFromFile(TestDataPath("gif/looping.gif")); }),
              "Unknown picture file extension (.gif)");
}

TEST(GIFImage, CopiesShareHeaderAndCompressedData) {
    TGIFImage original;
    original.LoadFromBytes(TestData("gif/animation-256.gif"));
    original.SetCurrentIndex(2);
    TGIFImage copy;
    copy.Assign(&original);
    EXPECT_TRUE(copy.Equals(original));
    EXPECT_EQ(copy.Count(), 4);
    EXPECT_EQ(copy.CurrentIndex(), 2);
    EXPECT_EQ(copy.RepeatCount(), 1000);
    EXPECT_EQ(&copy.Frames(3).Item(), &original.Frames(3).Item());
    EXPECT_TRUE(copy.Frames(0).HasBitmap());
    EXPECT_EQ(copy.Frames(0).Comment(), QByteArrayList{"about"});
    EXPECT_EQ(copy.Frames(1).Delay(), 20);
    EXPECT_FALSE(copy.Frames(0).LocalColors());
    EXPECT_TRUE(copy.Frames(1).LocalColors());

    // A comment changed in one copy stays in that copy.
    copy.EditComment().append("mine");
    EXPECT_FALSE(copy.Equals(original));
    EXPECT_TRUE(original.Comment().isEmpty());

    const auto clone = original.Clone();
    EXPECT_TRUE(static_cast<TGIFImage&>(*clone).Equals(original));
}

TEST(GIFImage, FramesCopiedBetweenPicturesTakeTheirTable) {
    TGIFImage source;
    source.LoadFromBytes(TestData("gif/disposal.gif"));
    TGIFImage one;
    one.Assign(source.Frames(3));
    ASSERT_EQ(one.Count(), 1);
    EXPECT_EQ(one.CurrentIndex(), 0);
    EXPECT_EQ(one.Version(), TGIFVersion::gv87a);
    EXPECT_EQ(one.Header().GlobalColors.Count, source.Header().GlobalColors.Count);
    EXPECT_TRUE(one.Frames(0).LocalColors());
    EXPECT_EQ(one.Frames(0).Disposal(), 3);
    // The screen is what the frames cover.
    EXPECT_EQ(one.ScreenWidth(), source.Frames(3).Bounds().right() + 1);

    // Within one picture the flag stays; a frame of its own may be the source.
    const int index = one.AddFrame(one);
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(one.Frames(1).LocalColors());
    one.Assign(one.Frames(0));
    EXPECT_EQ(one.Count(), 1);

    TGIFImage written;
    written.LoadFromBytes(Written(source));
    EXPECT_EQ(Indices(written.Frames(3).Bitmap().Image()),
              Indices(source.Frames(3).Bitmap().Image()));
}

TEST(GIFImage, BitmapsBecomeFrames) {
    TGIFImage image;
    TBitmap flag = Flag();
    image.Assign(&flag);
    EXPECT_EQ(image.Count(), 1);
    EXPECT_EQ(image.Version(), TGIFVersion::gv87a);
    EXPECT_EQ(image.ScreenWidth(), 2);
    EXPECT_EQ(image.Frames(0).TransparentColor(), clNone);
    flag.SetTransparent(true);
    flag.SetTransparentColor(clWhite);
    EXPECT_EQ(image.AddFrame(flag), 1);
    EXPECT_EQ(image.Version(), TGIFVersion::gv89a);
    EXPECT_EQ(image.CurrentIndex(), 1);
    EXPECT_EQ(image.Frames(1).TransparentColor(), clWhite);
    EXPECT_TRUE(image.Transparent());

    TBitmap back;
    image.AssignTo(back);
    EXPECT_EQ(back.Width(), 2);
    EXPECT_TRUE(back.Transparent());
    EXPECT_EQ(back.TransparentColor(), clWhite);
    TPicture holder;
    image.AssignTo(holder);
    EXPECT_TRUE(holder.HoldsBitmap());
    image.Assign(nullptr);
    EXPECT_EQ(image.Count(), 0);
    image.AssignTo(holder);
    EXPECT_EQ(holder.Graphic(), nullptr);
}

TEST(GIFImage, WritingRebuildsFieldsAndKeepsWhatWasRead) {
    TGIFImage image;
    image.LoadFromBytes(TestData("gif/animation-256.gif"));
    image.Frames(1).SetDelay(1234);
    image.Frames(2).SetTransparentColor(clNone);
    image.Frames(3).EditComment() = {QByteArray(300, 'x'), "", "end"};
    image.EditComment() = {"picture"};
    TGIFImage back;
    back.LoadFromBytes(Written(image));
    EXPECT_EQ(back.Version(), TGIFVersion::gv89a);
    EXPECT_EQ(back.RepeatCount(), 1000);
    EXPECT_EQ(back.Frames(0).Comment(), QByteArrayList{"about"});
    EXPECT_EQ(back.Frames(1).Delay(), 1230);
    EXPECT_EQ(back.Frames(2).TransparentColor(), clNone);
    EXPECT_EQ(back.Frames(0).TransparentColor(), clWhite);
    EXPECT_EQ(back.Frames(3).TransparentColor(), image.Frames(3).TransparentColor());
    EXPECT_EQ(back.Frames(3).Disposal(), 2);
    // A line longer than a sub-block is spread over two rather than cut; empty lines are dropped.
    EXPECT_EQ(back.Frames(3).Comment(),
              (QByteArrayList{QByteArray(255, 'x'), QByteArray(45, 'x'), "end"}));
    EXPECT_EQ(back.Comment(), QByteArrayList{"picture"});
    for (int i = 0; i < image.Count(); ++i)
        EXPECT_EQ(Indices(back.Frames(i).Bitmap().Image()),
                  Indices(image.Frames(i).Bitmap().Image()));

    // Without extensions, comments or loop a single frame stays 87a.
    TGIFImage plain;
    TBitmap flag = Flag();
    plain.Assign(&flag);
    EXPECT_TRUE(Written(plain).startsWith("GIF87a"));
    plain.SetLooping(true);
    EXPECT_FALSE(Written(plain).contains("NETSCAPE2.0"));
    plain.AddFrame(flag);
    EXPECT_TRUE(Written(plain).contains("NETSCAPE2.0"));
}

TEST(GIFImage, DeepBitmapsAreReducedWhenWritten) {
    TBitmap photo(8, 4, TPixelFormat::pf24bit);
    QImage pixels = photo.Image();
    for (int x = 0; x < 8; ++x) {
        pixels.setPixel(x, 0, qRgb(255, 0, 0));
        pixels.setPixel(x, 1, qRgb(0, 255, 0));
        pixels.setPixel(x, 2, qRgb(10 * x, 20, 200));
        pixels.setPixel(x, 3, qRgb(255, 255, 255));
    }
    photo.SetImage(pixels);
    TGIFImage image;
    image.AddFrame(photo);
    TGIFImage back;
    back.LoadFromBytes(Written(image));
    EXPECT_EQ(back.Frames(0).Bitmap().Image().convertToFormat(QImage::Format_RGB32), pixels);

    image.Frames(0).SetGrayscale(true);
    back.LoadFromBytes(Written(image));
    const QImage grey = back.Frames(0).Bitmap().Image();
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(qRed(grey.pixel(0, y)), qBlue(grey.pixel(0, y)));
    EXPECT_EQ(grey.pixel(0, 3), qRgb(255, 255, 255));
}

TEST(GIFImage, FramesDrawWithTheirTransparentColourLeftOut) {
    TGIFImage image;
    TBitmap flag = Flag();
    flag.SetTransparent(true);
    flag.SetTransparentColor(clWhite);
    image.Assign(&flag);
    TBitmap target(5, 4, TPixelFormat::pf24bit);
    target.Canvas().FillRect(QRect(0, 0, 5, 4), clLime);
    image.Draw(target.Canvas(), QRect(1, 0, 4, 4));
    // Stretched twice: red and blue quarters; white ones and the column left of it stay lime.
    EXPECT_EQ(target.Canvas().Pixel(0, 0), clLime);
    EXPECT_EQ(target.Canvas().Pixel(1, 1), clRed);
    EXPECT_EQ(target.Canvas().Pixel(3, 0), clLime);
    EXPECT_EQ(target.Canvas().Pixel(2, 3), clLime);
    EXPECT_EQ(target.Canvas().Pixel(4, 3), clBlue);

    image.SetTransparent(false);
    image.Draw(target.Canvas(), QRect(1, 0, 4, 4));
    EXPECT_EQ(target.Canvas().Pixel(3, 0), clWhite);
}

TEST(GIFImage, ClipboardCarriesTheGIFAndFrameZero) {
    TGIFImage image;
    image.LoadFromBytes(TestData("gif/animation-16.gif"));
    image.SaveToClipboard();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasImage());
    EXPECT_TRUE(mime->hasFormat(GIFClipboardFormat()));

    TGIFImage pasted;
    pasted.LoadFromClipboard();
    EXPECT_EQ(pasted.Count(), 6);
    EXPECT_EQ(pasted.Comment(), QByteArrayList{"Varnel"});
    EXPECT_TRUE(pasted.Frames(0).HasBitmap());
    EXPECT_FALSE(pasted.Frames(1).HasBitmap());

    QGuiApplication::clipboard()->setImage(Flag().Image().convertToFormat(QImage::Format_RGB32));
    pasted.LoadFromClipboard();
    EXPECT_EQ(pasted.Count(), 1);
    EXPECT_EQ(pasted.Width(), 2);
    QGuiApplication::clipboard()->setText("not a picture");
    EXPECT_EQ(Failure([&] { pasted.LoadFromClipboard(); }), "Unsupported clipboard format");
}

// A frame is decoded once: a failure is raised the first time only, and the bitmap a caller
// was given stays the frame's bitmap whatever is asked of the frame later.
TEST(GIFImage, AFrameTriesToDecodeOnceAndKeepsTheBitmapItGave) {
    const QByteArray data = Compressed(QByteArray(8, 1), 4, 4);
    TGIFImage image;
    // A frame of no pixels decodes to an empty bitmap, and that too is kept.
    image.LoadFromBytes(TGIFBuilder().Screen(0, 0, 4).Image(0, 0, data).Bytes());
    const TBitmap& empty = image.Frames(0).Bitmap();
    EXPECT_EQ(image.Width(), 0);
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(&image.Frames(0).Bitmap(), &empty);

    int decodings = 0;
    image.OnProgress = [&](const TGIFImage&, TProgressStage stage, int, const QString&) {
        decodings += stage == TProgressStage::psStarting;
    };
    image.LoadFromBytes(
        TGIFBuilder().Screen(4, 2, 4).Image(4, 2, data).Image(65535, 65535, data).Bytes());
    const TGIFFrame& huge = image.Frames(1);
    EXPECT_EQ(Failure([&] { huge.Bitmap(); }), "GIF image is too large");
    const TBitmap& left = huge.Bitmap();
    EXPECT_TRUE(left.Empty());
    EXPECT_EQ(&huge.Bitmap(), &left);
    EXPECT_EQ(huge.Width(), 0);
    EXPECT_EQ(decodings, 2) << "frame 0 at load, frame 1 once";
}

// Each picture reads by its own settings, and its copies by the same, so that pictures decoded
// on different threads share nothing they write.
TEST(GIFImage, SettingsBelongToThePictureAndItsCopies) {
    const QByteArray data = Compressed(QByteArray(8, 1), 4, 4);
    QByteArray badSize = data;
    badSize[0] = 12;
    const QByteArray file =
        TGIFBuilder().Screen(4, 2, 4).Image(4, 2, data).Image(4, 2, badSize).Bytes();
    TGIFImage strict;
    strict.SetSettings({.TolerateCorruptData = false});
    strict.LoadFromBytes(file);
    TGIFImage tolerant;
    tolerant.LoadFromBytes(file);

    const std::unique_ptr<TGraphic> copy = strict.Clone();
    const auto& strictCopy = dynamic_cast<const TGIFImage&>(*copy);
    EXPECT_EQ(Failure([&] { strictCopy.Frames(1).Bitmap(); }), "GIF code size not in range 2 to 9");
    EXPECT_EQ(Failure([&] { tolerant.Frames(1).Bitmap(); }), "");
    EXPECT_TRUE(tolerant.Frames(1).Corrupted());
    EXPECT_EQ(Failure([&] { strict.Frames(1).Bitmap(); }), "GIF code size not in range 2 to 9");

    TGIFImage small;
    small.SetSettings({.LargestFrame = 7});
    EXPECT_EQ(Failure([&] { small.LoadFromBytes(file); }), "GIF image is too large");
    EXPECT_EQ(Failure([&] { tolerant.LoadFromBytes(file); }), "");
}
