#include "runtime/Control.h"
#include "runtime/Canvas.h"
#include "tests/Mouse.h"

#include <gtest/gtest.h>

namespace {

// A control that writes down what it was told, and paints a red square at its top-left.
class Probe : public TControl {
public:
    explicit Probe(QWidget* parent, Kind kind = Kind::Windowless) : TControl(parent, kind) {
        const auto note = [this](const char* what) {
            return [this, what](TControl&, Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
                log.append(QStringLiteral("%1 %2 %3,%4").arg(what).arg(b).arg(x).arg(y));
            };
        };
        OnMouseDown = note("down");
        OnMouseUp = note("up");
        OnClick = [this](TControl&) { log.append("click"); };
        OnDblClick = [this](TControl&) { log.append("dblclick"); };
        OnMouseEnter = [this](TControl&) { log.append("enter"); };
        OnMouseLeave = [this](TControl&) { log.append("leave"); };
    }
    QStringList log;

protected:
    void Paint(TCanvas& canvas) override { canvas.FillRect(QRect(0, 0, 4, 4), clRed); }
};

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 100);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(Qt::green));
        probe = new Probe(&window);
        probe->SetBounds(20, 20, 40, 30);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QWidget window;
    Probe* probe = nullptr;
};

TEST_F(ControlTest, OnlyALeftPressReleasedInsideClicksBetweenPressAndRelease) {
    mouse::Click(*probe, QPoint(5, 6));
    probe->log.removeAll("enter"); // whether the pointer came from outside is another test's
    EXPECT_EQ(probe->log, (QStringList{"down 1 5,6", "click", "up 1 5,6"}));
    mouse::Click(*probe, QPoint(5, 6), Qt::RightButton);
    mouse::Click(*probe, QPoint(5, 6), Qt::MiddleButton);
    mouse::Press(*probe, QPoint(5, 6));
    mouse::Release(*probe, QPoint(50, 6));
    EXPECT_EQ(probe->log.count("click"), 1);
}

// The press holds the mouse for the whole stroke, whichever button made it.
TEST_F(ControlTest, AStrokeReleasedOutsideEndsAtTheControlThatWasPressed) {
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        probe->log.clear();
        mouse::Press(*probe, QPoint(5, 6), button);
        mouse::Release(*probe, QPoint(-15, 60), button);
        EXPECT_EQ(probe->log.filter("up "),
                  QStringList{QStringLiteral("up %1 -15,60").arg(button)});
    }
}

TEST_F(ControlTest, TheSecondPressOfADoubleClickMakesNoSecondClick) {
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(25, 26));
    mouse::Release(*probe, QPoint(5, 6));
    EXPECT_EQ(probe->log.count("click"), 1);
    EXPECT_EQ(probe->log.count("dblclick"), 1);
    EXPECT_EQ(probe->log.filter("down ").size(), 2);
}

TEST_F(ControlTest, EnterAndLeaveFollowThePointer) {
    mouse::Move(*probe, QPoint(-5, 5));
    probe->log.clear();
    mouse::Move(*probe, QPoint(5, 5));
    mouse::Move(*probe, QPoint(-5, 5));
    EXPECT_EQ(probe->log, (QStringList{"enter", "leave"}));
}

TEST_F(ControlTest, WindowlessControlsShowTheParentAndLieUnderWindowedOnes) {
    auto* before = new Probe(&window);
    before->SetBounds(15, 15, 10, 10);
    auto* windowed = new Probe(&window, TControl::Kind::Windowed);
    windowed->SetColor(clBlue);
    windowed->SetBounds(10, 10, 10, 10);
    auto* after = new Probe(&window);
    after->SetBounds(18, 10, 10, 10);
    for (TControl* control : {before, windowed, after})
        control->show();

    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(16, 16), QColor(Qt::blue)); // `before` is under the windowed face
    EXPECT_EQ(shot.pixelColor(19, 11), QColor(Qt::blue)); // and so is `after`
    EXPECT_EQ(shot.pixelColor(20, 11), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(30, 30), QColor(Qt::green)); // where `probe` draws nothing
}

} // namespace
