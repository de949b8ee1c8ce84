#include "runtime/Control.h"
#include "runtime/Canvas.h"
#include "runtime/Exception.h"
#include "runtime/ModalPrompts.h"
#include "tests/Mouse.h"

#include <QCoreApplication>

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
    bool failPaint = false;

protected:
    void Paint(TCanvas& canvas) override {
        canvas.FillRect(QRect(0, 0, 4, 4), clRed);
        if (failPaint)
            throw Exception(QStringLiteral("Out of system resources"));
    }
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
    void TearDown() override { TModalPrompts::SetResponder({}); }

    // Error boxes go into the probe's log, beside its events.
    void LogErrors() {
        TModalPrompts::SetResponder([this](const TPrompt& prompt) {
            probe->log.append("error " + prompt.texts.join(' '));
            return TPromptAnswer{mrOk, {}};
        });
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

// A click handler that fails does not leave its control held: the release is raised before the
// error box opens, and the next press is a press of its own.
TEST_F(ControlTest, AFailingClickStillEndsItsPressBeforeTheErrorBox) {
    LogErrors();
    probe->OnClick = [](TControl&) { throw Exception(QStringLiteral("Disk full")); };
    mouse::Click(*probe, QPoint(5, 6));
    mouse::Click(*probe, QPoint(7, 6));
    probe->log.removeAll("enter");
    EXPECT_EQ(probe->log, (QStringList{"down 1 5,6", "up 1 5,6", "error Disk full", "down 1 7,6",
                                       "up 1 7,6", "error Disk full"}));
}

// A paint that fails shows what it drew. Its error box opens after the paint, and once for as
// long as the control keeps failing, not at every repaint.
TEST_F(ControlTest, AFailingPaintIsToldOnceAfterThePaint) {
    LogErrors();
    probe->failPaint = true;
    for (int i = 0; i < 3; ++i)
        probe->repaint();
    EXPECT_TRUE(probe->log.filter("error").isEmpty()) << "no box inside the paint";
    EXPECT_EQ(probe->grab().toImage().pixelColor(0, 0), QColor(Qt::red));
    QCoreApplication::processEvents();
    EXPECT_EQ(probe->log.filter("error"), QStringList{"error Out of system resources"});

    probe->failPaint = false;
    probe->repaint();
    probe->failPaint = true;
    probe->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(probe->log.filter("error").size(), 2) << "failing again after a good paint is news";
}

} // namespace
