#include "runtime/Control.h"
#include "runtime/Canvas.h"
#include "tests/Mouse.h"

#include <gtest/gtest.h>

namespace {

// A control that writes down what it was told, and paints a red square at its top-left.
class Probe : public TControl {
public:
    explicit Probe(QWidget* parent, Kind kind = Kind::Windowless) : TControl(parent, kind) {
        OnMouseDown = [this](TControl&, Qt::MouseButton button, Qt::KeyboardModifiers, int x,
                             int y) {
            log.append(QStringLiteral("down %1 %2,%3").arg(button).arg(x).arg(y));
        };
        OnMouseUp = [this](TControl&, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
            log.append(QStringLiteral("up %1 %2,%3").arg(button).arg(x).arg(y));
        };
        OnClick = [this](TControl&) { log.append(QStringLiteral("click")); };
        OnDblClick = [this](TControl&) { log.append(QStringLiteral("dblclick")); };
        OnMouseEnter = [this](TControl&) { log.append(QStringLiteral("enter")); };
        OnMouseLeave = [this](TControl&) { log.append(QStringLiteral("leave")); };
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

const QString left = QString::number(Qt::LeftButton);
const QString right = QString::number(Qt::RightButton);

TEST_F(ControlTest, LeftPressAndReleaseInsideGivePressClickRelease) {
    mouse::Click(*probe, QPoint(5, 6));
    const QStringList expected = {"enter", "down " + left + " 5,6", "click", "up " + left + " 5,6"};
    EXPECT_EQ(probe->log, expected);
}

TEST_F(ControlTest, OtherButtonsAndReleasesOutsideGiveNoClick) {
    mouse::Click(*probe, QPoint(5, 6), Qt::RightButton);
    mouse::Click(*probe, QPoint(5, 6), Qt::MiddleButton);
    mouse::Press(*probe, QPoint(5, 6));
    mouse::Release(*probe, QPoint(50, 6));
    EXPECT_FALSE(probe->log.contains("click"));
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
    mouse::Move(*probe, QPoint(5, 5));
    mouse::Move(*probe, QPoint(-5, 5));
    EXPECT_EQ(probe->log, (QStringList{"enter", "leave"}));
}

TEST_F(ControlTest, AWindowlessControlLetsItsParentShowThrough) {
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(30, 30), QColor(Qt::green));
}

TEST_F(ControlTest, WindowedControlsLieAboveWindowlessOnesWhateverTheOrder) {
    auto* before = new Probe(&window);
    before->SetBounds(15, 15, 10, 10);
    auto* windowed = new Probe(&window, TControl::Kind::Windowed);
    windowed->SetColor(clBlue);
    windowed->SetBounds(10, 10, 10, 10);
    auto* after = new Probe(&window);
    after->SetBounds(18, 10, 10, 10);
    for (QWidget* control : {static_cast<QWidget*>(before), static_cast<QWidget*>(windowed),
                             static_cast<QWidget*>(after)})
        control->show();

    // Each windowless control paints a red square at its corner, under the windowed face.
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(16, 16), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(19, 11), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(20, 11), QColor(Qt::red));
}

TEST(PlaceInParent, PlacesInTheParentsClientArea) {
    QWidget parent;
    parent.setContentsMargins(2, 3, 0, 0);
    QWidget child(&parent);
    PlaceInParent(child, 10, 20, 30, 40);
    EXPECT_EQ(child.geometry(), QRect(12, 23, 30, 40));
}

} // namespace
