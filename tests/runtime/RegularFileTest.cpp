// Only a regular file is read as a picture or a logo: a named pipe without a writer, a device or
// a folder is refused at once, saying what it is, and the open never waits for a writer.

#include "runtime/RegularFile.h"
#include "runtime/Bitmap.h"
#include "runtime/Picture.h"
#include "runtime/StreamBytes.h"
#include "tests/Failure.h"
#include "tests/TestDir.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

void Hold3x3(TPicture& picture) {
    picture.SetGraphic(std::make_unique<TBitmap>(3, 3, TPixelFormat::pf24bit));
}

} // namespace

TEST(RegularFile, ANamedPipeWithoutAWriterIsRefusedAtOnce) {
    TestDir dir;
    const QString pipe = dir.Path("pipe.bmp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    TPicture picture;
    Hold3x3(picture);
    // Should the open wait for a writer, the test hangs here: no writer ever comes.
    EXPECT_EQ(Failure([&] { picture.LoadFromFile(pipe); }),
              "Cannot open file " + pipe + ": it is a named pipe, not a file");
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(Failure([&] { ReadFileAtMost(pipe, 100); }),
              "Cannot open file " + pipe + ": it is a named pipe, not a file");
    EXPECT_EQ(RegularFile::KindOf(pipe), "a named pipe");
}

TEST(RegularFile, AFolderADeviceAndALinkToOneAreRefusedByWhatTheyAre) {
    TestDir dir;
    ASSERT_TRUE(dir.Dir().mkdir("folder.bmp"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.Path("zero.png")));
    TPicture picture;
    Hold3x3(picture);
    EXPECT_EQ(Failure([&] { picture.LoadFromFile(dir.Path("folder.bmp")); }),
              "Cannot open file " + dir.Path("folder.bmp") + ": it is a folder, not a file");
    EXPECT_EQ(Failure([&] { picture.LoadFromFile(dir.Path("zero.png")); }),
              "Cannot open file " + dir.Path("zero.png") + ": it is a device, not a file");
    EXPECT_EQ(picture.Width(), 3);
}

TEST(RegularFile, ARegularFileIsReadAndAMissingOneSaysSo) {
    TestDir dir;
    TBitmap(5, 4, TPixelFormat::pf24bit).SaveToFile(dir.Path("plain.bmp"));
    TPicture picture;
    Hold3x3(picture);
    picture.LoadFromFile(dir.Path("plain.bmp"));
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(RegularFile::KindOf(dir.Path("plain.bmp")), "");
    EXPECT_EQ(Failure([&] { picture.LoadFromFile(dir.Path("missing.bmp")); }),
              "Cannot open file " + dir.Path("missing.bmp"));
    QFile missing(dir.Path("missing.bmp"));
    EXPECT_EQ(RegularFile::Open(missing), "No such file or directory");
    EXPECT_FALSE(missing.isOpen());
}
