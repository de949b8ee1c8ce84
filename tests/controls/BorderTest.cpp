#include "controls/Border.h"
#include "runtime/Image.h"
#include "tests/Mouse.h"

#include <gtest/gtest.h>

namespace {

// The frame round the editor's drawing, with the picture lying on it.
class BorderTest : public ::testing::Test {
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

TEST_F(BorderTest, DrawsASunkenPairOfRingsOutsideARaisedPair) {
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

TEST_F(BorderTest, SeesTheMouseLeaveOntoThePictureAndOffItsRectangle) {
    mouse::Move(*border, QPoint(2, 2));
    mouse::Move(*border, QPoint(20, 20)); // onto the picture
    EXPECT_EQ(leaves, 1);
    mouse::Move(*border, QPoint(2, 2));
    mouse::Move(*border, QPoint(-5, 2)); // off the frame
    EXPECT_EQ(leaves, 2);
}

} // namespace
