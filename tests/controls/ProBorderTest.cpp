#include "controls/ProBorder.h"
#include "runtime/Image.h"
#include "tests/Mouse.h"

#include <gtest/gtest.h>

namespace {

// The frame round the editor's drawing, with the picture lying on it.
class ProBorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 180);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(Qt::green));
        border = new TProBorder(&window);
        border->SetBounds(11, 10, 149, 139);
        border->SetBevelCtl3D(true);
        border->SetBevelInner(bvRaised);
        border->SetBevelWidth(5); // ignored: 3-D bevels are two rings each
        border->OnMouseLeave = [this](TControl&) { ++leaves; };
        image = new TImage(&window);
        image->SetBounds(16, 15, 137, 127);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QWidget window;
    TProBorder* border = nullptr;
    TImage* image = nullptr;
    int leaves = 0;
};

TEST_F(ProBorderTest, DrawsASunkenPairOfRingsOutsideARaisedPair) {
    const QImage shot = window.grab().toImage();
    const auto at = [&](int x, int y) { return shot.pixelColor(x, y); };
    // Top-left corners, outermost ring first.
    EXPECT_EQ(at(11, 10), ToQColor(clBtnShadow));
    EXPECT_EQ(at(12, 11), ToQColor(clBtnText));
    EXPECT_EQ(at(13, 12), ToQColor(clBtnHighlight));
    EXPECT_EQ(at(14, 13), ToQColor(cl3DLight));
    // Bottom-right corners.
    EXPECT_EQ(at(159, 148), ToQColor(clBtnHighlight));
    EXPECT_EQ(at(158, 147), ToQColor(cl3DLight));
    EXPECT_EQ(at(157, 146), ToQColor(clBtnText));
    EXPECT_EQ(at(156, 145), ToQColor(clBtnShadow));
    // The top-right corner pixel of a ring is in its second colour.
    EXPECT_EQ(at(159, 10), ToQColor(clBtnHighlight));
    // Inside the rings the parent shows.
    EXPECT_EQ(at(15, 14), QColor(Qt::green));
}

TEST_F(ProBorderTest, SeesTheMouseLeaveOntoThePictureAndOffItsRectangle) {
    mouse::Move(*border, QPoint(2, 2));
    mouse::Move(*border, QPoint(20, 20)); // onto the picture
    EXPECT_EQ(leaves, 1);
    mouse::Move(*border, QPoint(2, 2));
    mouse::Move(*border, QPoint(-5, 2)); // off the frame
    EXPECT_EQ(leaves, 2);
}

} // namespace

namespace {

void MakeGreen(QWidget& window, QSize size) {
    window.resize(size);
    window.setAutoFillBackground(true);
    window.setPalette(QPalette(Qt::green));
}

// Only the left and top sides: both drawn in each ring's first colour, and only they move in.
TEST(Border, OnlyTheChosenSidesAreDrawnAndMoved) {
    QWidget window;
    MakeGreen(window, {100, 100});
    auto* border = new TProBorder(&window);
    border->SetBounds(10, 10, 50, 50);
    border->SetBevelInner(bvRaised);
    border->SetBorderWidth(2);
    border->SetBorderColor(clYellow);
    border->SetBevelSides(sdLeft | sdTop);
    const QImage shot = window.grab().toImage();
    const auto at = [&](int x, int y) { return shot.pixelColor(10 + x, 10 + y); };

    EXPECT_EQ(at(0, 25), ToQColor(clBtnShadow)) << "lowered outer ring, left";
    EXPECT_EQ(at(25, 0), ToQColor(clBtnShadow)) << "and top";
    EXPECT_EQ(at(48, 0), ToQColor(clBtnShadow)) << "the top row stops one short of the right";
    EXPECT_EQ(at(49, 0), QColor(Qt::green));
    EXPECT_EQ(at(1, 25), QColor(Qt::yellow));
    EXPECT_EQ(at(25, 2), QColor(Qt::yellow));
    EXPECT_EQ(at(3, 25), ToQColor(clBtnHighlight)) << "raised inner ring";
    EXPECT_EQ(at(25, 3), ToQColor(clBtnHighlight));
    EXPECT_EQ(at(4, 25), QColor(Qt::green));
    // The right and bottom sides are neither drawn nor moved in.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(at(49 - i, 25), QColor(Qt::green));
        EXPECT_EQ(at(25, 49 - i), QColor(Qt::green));
    }
}

TEST(Border, WithNoBevelAndNoBorderItDrawsNothing) {
    QWidget window;
    MakeGreen(window, {60, 60});
    auto* border = new TProBorder(&window);
    border->SetBevelOuter(bvNone);
    border->SetBorderWidth(0);
    const QImage shot = window.grab().toImage();
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(shot.pixelColor(x, y), QColor(Qt::green));
}

} // namespace
