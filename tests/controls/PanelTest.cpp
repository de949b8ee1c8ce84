#include "controls/Panel.h"
#include "controls/TextButton.h"

#include <gtest/gtest.h>

namespace {

TEST(Panel, TilesItsPictureFromTheBevelsInnerCorner) {
    TsohoPanel panel(nullptr);
    const QImage tile = panel.BackImage().Image();
    ASSERT_EQ(tile.size(), QSize(64, 32));
    ASSERT_EQ(panel.BackImage().PixelFormat(), TPixelFormat::pf4bit);

    const QImage shot = panel.grab().toImage();
    const auto same = [&](int x, int y, int tx, int ty) {
        return shot.pixel(x, y) == (tile.pixel(tx, ty) | 0xFF000000);
    };
    EXPECT_EQ(shot.pixelColor(0, 0), ToQColor(clBtnHighlight));
    EXPECT_EQ(shot.pixelColor(184, 40), ToQColor(clBtnShadow));
    EXPECT_TRUE(same(1, 1, 0, 0));
    EXPECT_TRUE(same(64, 1, 63, 0));
    EXPECT_TRUE(same(65, 1, 0, 0));
    EXPECT_TRUE(same(129, 33, 0, 0));
    EXPECT_TRUE(same(183, 39, 54, 6)); // the last tile, cut
}

// The window's backdrop: a sunken edge, the children inside it, the picture never repeated.
TEST(Panel, ASingleBorderKeepsTheChildrenInsideItsEdge) {
    TBitmap backdrop;
    backdrop.LoadFromFile(QStringLiteral(VARNEL_SOURCE_DIR "/resources/background.bmp"));
    ASSERT_EQ(backdrop.PixelFormat(), TPixelFormat::pf8bit);
    TsohoPanel panel(nullptr);
    panel.SetBounds(0, 0, 545, 328);
    panel.SetBorderStyle(bsSingle);
    panel.SetBackImage(&backdrop);
    auto* button = new TsohoTextButton(&panel);
    button->SetBounds(0, 0, 10, 10);

    EXPECT_EQ(button->pos(), QPoint(2, 2));
    const QImage picture = backdrop.Image();
    const QImage shot = panel.grab(QRect(0, 0, 545, 328)).toImage();
    EXPECT_EQ(shot.pixelColor(0, 0), ToQColor(clBtnShadow));
    EXPECT_EQ(shot.pixelColor(3, 20), picture.pixelColor(0, 17));
    EXPECT_EQ(shot.pixelColor(541, 324), picture.pixelColor(538, 321));
}

TEST(Panel, AnEmptyPictureLeavesTheFacePlain) {
    TsohoPanel panel(nullptr);
    const TBitmap empty;
    panel.SetBackImage(&empty);
    EXPECT_EQ(panel.grab().toImage().pixelColor(5, 5), ToQColor(clBtnFace));
    panel.SetBackImage(nullptr);
    EXPECT_EQ(panel.BackImage().Width(), 64);
}

} // namespace
