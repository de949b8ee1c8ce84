#include "controls/TextButton.h"
#include "runtime/Fonts.h"
#include "tests/Mouse.h"

#include <gtest/gtest.h>

namespace {

class TextButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 100);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(Qt::green));
        button = new TsohoTextButton(&window);
        button->SetBounds(10, 10, 94, 24);
        button->SetCaption(QStringLiteral("Yeni"));
        button->SetFont(MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold));
        button->SetFontColor(clNavy);
        button->OnClick = [this](TControl&) { ++clicks; };
        button->OnMouseDown = [this](TControl&, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            ++downs;
        };
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QColor Pixel(int x, int y) { return window.grab().toImage().pixelColor(x, y); }
    bool CaptionIn(TColor color) {
        const QImage shot = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb wanted = ToQColor(color).rgb();
        for (int y = 1; y < shot.height() - 1; ++y)
            for (int x = 1; x < shot.width() - 1; ++x)
                if (shot.pixel(x, y) == wanted)
                    return true;
        return false;
    }

    QWidget window;
    TsohoTextButton* button = nullptr;
    int clicks = 0;
    int downs = 0;
};

TEST_F(TextButtonTest, ClicksOnlyForALeftPressReleasedOverIt) {
    mouse::Click(*button, QPoint(40, 12));
    mouse::Click(*button, QPoint(40, 12), Qt::RightButton);
    mouse::Press(*button, QPoint(40, 12));
    mouse::Release(*button, QPoint(100, 12));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 3);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(TextButtonTest, ADisabledButtonIgnoresTheMouseAndGreysItsCaption) {
    EXPECT_TRUE(CaptionIn(clNavy));
    button->SetEnabled(false);
    mouse::Click(*button, QPoint(40, 12));
    EXPECT_EQ(clicks + downs, 0);
    EXPECT_FALSE(CaptionIn(clNavy));
    EXPECT_TRUE(CaptionIn(clGray));
}

TEST_F(TextButtonTest, TheBevelIsRaisedAndReversedWhilePressed) {
    const QColor highlight = ToQColor(clBtnHighlight);
    const QColor black(Qt::black);
    // Top-left corner in the first colour; the top-right and bottom-left in the second.
    EXPECT_EQ(Pixel(10, 10), highlight);
    EXPECT_EQ(Pixel(103, 10), black);
    EXPECT_EQ(Pixel(10, 33), black);
    EXPECT_EQ(Pixel(11, 11), QColor(Qt::green)); // nothing filled

    mouse::Press(*button, QPoint(40, 12));
    EXPECT_EQ(Pixel(10, 10), black);
    EXPECT_EQ(Pixel(103, 10), highlight);
    mouse::Release(*button, QPoint(40, 12));
    EXPECT_EQ(Pixel(10, 10), highlight);
}

// Whatever a click handler does to the button, the release still brings it back up.
TEST_F(TextButtonTest, DisablingFromItsOwnClickLeavesItUnpressed) {
    button->OnClick = [](TControl& sender) { sender.SetEnabled(false); };
    mouse::Click(*button, QPoint(40, 12));
    EXPECT_FALSE(button->Pressed());
}

// A disabled button sees no release, so disabling lets go of the press at once: enabled again,
// it looks as it did before the press, not stuck down.
TEST_F(TextButtonTest, DisabledWhileHeldItComesBackUp) {
    const QImage up = button->grab().toImage();
    mouse::Press(*button, QPoint(40, 12));
    ASSERT_TRUE(button->Pressed());
    ASSERT_NE(button->grab().toImage(), up);
    button->SetEnabled(false);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(Pixel(10, 10), ToQColor(clBtnHighlight));
    button->SetEnabled(true);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(button->grab().toImage(), up);
    mouse::Release(*button, QPoint(40, 12));
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(button->grab().toImage(), up);
}

} // namespace
