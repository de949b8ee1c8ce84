#include "runtime/Cursors.h"
#include "runtime/Resources.h"
#include "tests/TestDir.h"

#include <QDir>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

// The program's cursor pictures, found the way the program finds its resources.
class CursorsTest : public ::testing::Test {
protected:
    CursorsTest() {
        QDir::setSearchPaths(
            QStringLiteral("cursors"),
            {QStringLiteral(VARNEL_SOURCE_DIR "/resources/cursors"), extra.Path(".")});
    }
    ~CursorsTest() override { QDir::setSearchPaths(QStringLiteral("cursors"), {}); }

    TestDir extra;
};

TEST_F(CursorsTest, AResourceIsFoundByNameWhateverTheCase) {
    const auto bytes = FindResource(TResourceKind::Cursor, QStringLiteral("pointcursor"));
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(bytes->startsWith(QByteArray("\x00\x00\x02\x00", 4)));
    EXPECT_FALSE(FindResource(TResourceKind::Cursor, QStringLiteral("POINT")));
    EXPECT_FALSE(FindResource(TResourceKind::Bitmap, QStringLiteral("POINTCURSOR")))
        << "each kind has its own names";
}

TEST_F(CursorsTest, AnInstalledPictureReplacesThePlatformsCursorWithItsHotSpot) {
    EXPECT_EQ(TCursors::Get(14999).shape(), Qt::ArrowCursor) << "nobody installed it";
    EXPECT_EQ(TCursors::Get(crCross).shape(), Qt::CrossCursor);
    EXPECT_EQ(TCursors::Get(crProDragHand).shape(), Qt::ClosedHandCursor)
        << "until a picture is installed, the desktop's nearest hand";

    ASSERT_TRUE(TCursors::InstallResource(14999, QStringLiteral("POINTCURSOR")));
    const QCursor hand = TCursors::Get(14999);
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(hand.hotSpot(), QPoint(11, 1)) << "the tip of the finger";
    const QImage picture = hand.pixmap().toImage();
    EXPECT_EQ(picture.pixelColor(11, 1), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(11, 3), QColor(Qt::white));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
}

// A two-colour cursor of 8 x 2: the palette's blue-green-red order, rows stored bottom-up, and
// the AND mask making a pixel see-through; then the same file cut short of its mask.
TEST_F(CursorsTest, ATwoColourPictureKeepsItsPaletteRowOrderAndMask) {
    QByteArray file("\x00\x00\x02\x00\x01\x00", 6);
    file += QByteArray("\x08\x02\x02\x00\x03\x00\x01\x00\x38\x00\x00\x00\x16\x00\x00\x00", 16);
    file += QByteArray("\x28\0\0\0\x08\0\0\0\x04\0\0\0\x01\0\x01\0", 16) + QByteArray(24, '\0');
    file += QByteArray("\x00\x00\x00\x00\x00\x00\xFF\x00", 8); // black, red
    file += QByteArray("\x0F\0\0\0\xF0\0\0\0", 8);             // bottom row, top row
    file += QByteArray("\x00\0\0\0\x80\0\0\0", 8);             // top-left see-through
    extra.Write("TINY.cur", file);
    extra.Write("CUT.cur", file.left(file.size() - 8));

    ASSERT_TRUE(TCursors::InstallResource(14997, QStringLiteral("TINY")));
    const QCursor tiny = TCursors::Get(14997);
    EXPECT_EQ(tiny.hotSpot(), QPoint(3, 1));
    const QImage picture = tiny.pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(8, 2));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(picture.pixelColor(1, 0), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(4, 0), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(0, 1), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(7, 1), QColor(Qt::red));
    EXPECT_FALSE(TCursors::InstallResource(14996, QStringLiteral("CUT")));
}

TEST_F(CursorsTest, WhatIsNoCursorIsNotInstalled) {
    extra.Write("NOTACURSOR.cur", "\x00\x00\x01\x00garbage");
    extra.Write("DAMAGED.cur", QByteArray("\x00\x00\x02\x00\x01\x00", 6) + QByteArray(16, '\xFF'));
    EXPECT_FALSE(TCursors::InstallResource(14998, QStringLiteral("NOTACURSOR")));
    EXPECT_FALSE(TCursors::InstallResource(14998, QStringLiteral("DAMAGED")));
    EXPECT_FALSE(TCursors::InstallResource(14998, QStringLiteral("MISSING")));
    EXPECT_EQ(TCursors::Get(14998).shape(), Qt::ArrowCursor);
}

TEST(Cursors, ResetTakesBackEveryCursorPutOverTheProgram) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    TCursors::ResetScreenCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
