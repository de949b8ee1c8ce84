#include "controls/sohoPanel.h"
#include "controls/TextButton.h"
#include "runtime/Fonts.h"
#include "runtime/SpacedText.h"

#include <QFontMetrics>

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

namespace {

// Raised outer ring, a two-pixel gap in the panel's Color, a lowered inner ring, the tiles from
// the inner ring's inner corner, and a caption against the right edge of that face.
TEST(Panel, AnInnerBevelAGapAndARightAlignedCaption) {
    QWidget window;
    window.setFont(MakeFont(QStringLiteral("MS Sans Serif"), 11));
    TsohoPanel panel(&window);
    panel.SetBounds(0, 0, 185, 41);
    panel.SetColor(clYellow);
    panel.SetBevelInner(bvLowered);
    panel.SetBorderWidth(2);
    panel.SetAlignment(taRightJustify);
    panel.SetCaption(QStringLiteral("Caption"));
    panel.SetFontColor(clRed);
    const QImage tile = panel.BackImage().Image();
    const QImage shot = panel.grab().toImage();

    EXPECT_EQ(shot.pixelColor(0, 20), ToQColor(clBtnHighlight));
    EXPECT_EQ(shot.pixelColor(184, 20), ToQColor(clBtnShadow));
    EXPECT_EQ(shot.pixelColor(1, 20), QColor(Qt::yellow));
    EXPECT_EQ(shot.pixelColor(2, 20), QColor(Qt::yellow));
    EXPECT_EQ(shot.pixelColor(3, 20), ToQColor(clBtnShadow));
    EXPECT_EQ(shot.pixelColor(181, 20), ToQColor(clBtnHighlight));
    EXPECT_EQ(shot.pixel(4, 4), tile.pixel(0, 0) | 0xFF000000);
    EXPECT_EQ(shot.pixel(68, 4), tile.pixel(0, 0) | 0xFF000000);

    // The face is (4, 4, 177, 33): the caption's line stands halfway down, its end at the right.
    const QFontMetrics metrics(panel.Font());
    const int flags = Qt::AlignRight | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextExpandTabs;
    const int lineTop = (4 + 37 - metrics.height()) / 2;
    const QRect text =
        TSpacedText(panel.Font(), QRect(4, lineTop, 177, metrics.height()), flags, panel.Caption())
            .Bounds();
    int rightmost = -1;
    int lowest = -1;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixelColor(x, y) == QColor(Qt::red)) {
                rightmost = std::max(rightmost, x);
                lowest = std::max(lowest, y);
                ASSERT_TRUE(text.contains(x, y)) << x << "," << y;
            }
    EXPECT_GE(rightmost, 176);
    EXPECT_LE(rightmost, 180);
    EXPECT_GT(lowest, lineTop);
}

} // namespace
