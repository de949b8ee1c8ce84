#include "controls/ColorGrid.h"
#include "controls/ProBorder.h"
#include "controls/ShadowLabel.h"
#include "controls/TextButton.h"
#include "controls/sohoPanel.h"
#include "editor/Main.h"
#include "gif/GIFAnimator.h"
#include "runtime/Fonts.h"
#include "runtime/Label.h"
#include "runtime/Panel.h"
#include "runtime/SpacedText.h"
#include "tests/Mouse.h"
#include "tests/Screenshots.h"
#include "tests/TestDir.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The editor window as it comes up, before anything is clicked.
class WindowLook : public ::testing::Test {
protected:
    WindowLook() : previous_(QDir::currentPath()) {
        QDir::setCurrent(dir.Path("."));
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        QApplication::setActiveWindow(&form);
    }
    ~WindowLook() override { QDir::setCurrent(previous_); }

    // A point of a control, in the window's own coordinates.
    QColor At(const QWidget& control, int x, int y) {
        return form.grab().toImage().pixelColor(control.mapTo(&form, QPoint(x, y)));
    }

    TestDir dir;
    TMainForm form;

private:
    QString previous_;
};

// The whole window is written out for a person to look at.
TEST_F(WindowLook, TheWindowAsItStarts) {
    const QImage shot = form.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(545, 328));
    SaveScreenshot(shot, QStringLiteral("window.png"));

    // Each button's ring: button-highlight at the top and left, black at the bottom and right.
    for (const TsohoTextButton* button :
         {form.sohoTextButton1, form.sohoTextButton2, form.sohoTextButton9}) {
        EXPECT_EQ(At(*button, 0, 0), ToQColor(clBtnHighlight));
        EXPECT_EQ(At(*button, button->width() - 1, 0), QColor(Qt::black));
        EXPECT_EQ(At(*button, 0, button->height() - 1), QColor(Qt::black));
    }
    // The frames round the pictures: sunken outside, raised inside.
    EXPECT_EQ(At(*form.ProBorder1, 0, 0), ToQColor(clBtnShadow));
    EXPECT_EQ(At(*form.ProBorder1, 2, 2), ToQColor(clBtnHighlight));
    // The backdrop shows inside the panel's edge and bevel.
    EXPECT_EQ(At(*form.sohoPanel2, 0, 0), ToQColor(clBtnShadow));
    EXPECT_EQ(At(*form.sohoPanel2, 2, 2), ToQColor(clBtnHighlight));
}

TEST_F(WindowLook, TheAboutPanelIsBlackInsideTwoLoweredBevelsFourRingsWide) {
    form.Panel1->show();
    SaveScreenshot(form.grab().toImage(), QStringLiteral("about-panel.png"));
    const TPanel& panel = *form.Panel1;
    const int right = panel.width() - 1;
    for (int ring = 0; ring < 4; ++ring) {
        SCOPED_TRACE(ring);
        EXPECT_EQ(At(panel, ring, 100), ToQColor(clBtnShadow));
        EXPECT_EQ(At(panel, right - ring, 100), ToQColor(clBtnHighlight));
        EXPECT_EQ(At(panel, 4 + ring, 200), ToQColor(clBtnShadow));
        EXPECT_EQ(At(panel, right - 4 - ring, 200), ToQColor(clBtnHighlight));
    }
    EXPECT_EQ(At(panel, 8, 290), QColor(Qt::black));
    EXPECT_EQ(form.Label1->geometry().topLeft(), QPoint(27, 12));
}

// Tab runs round the controls that take the focus; the grid, just before the language list, is
// one of them, its cursor then on the colour in use, and once it has the focus the arrows move
// the cursor and F and B pick.
TEST_F(WindowLook, TabReachesTheGridWhichTheKeysThenDrive) {
    ASSERT_TRUE(form.ComboBox1->hasFocus()) << "the language list has the focus at start";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), form.ColorGrid1);
    EXPECT_EQ(form.ColorGrid1->Selection(), 15) << "white, not the maroon cell it was laid out on";
    QTest::keyClick(form.ColorGrid1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.ComboBox1);
    QTest::keyClick(form.ComboBox1, Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), form.ColorGrid1);

    // From white: left to 14, up to 10 (lime), then F and B.
    QTest::keyClick(form.ColorGrid1, Qt::Key_Left);
    QTest::keyClick(form.ColorGrid1, Qt::Key_Up);
    QTest::keyClick(form.ColorGrid1, Qt::Key_F);
    EXPECT_EQ(form.ColorGrid1->ForegroundIndex(), 10);
    QTest::keyClick(form.ColorGrid1, Qt::Key_Left);
    QTest::keyClick(form.ColorGrid1, Qt::Key_B);
    EXPECT_EQ(form.ColorGrid1->BackgroundIndex(), 15) << "the window keeps its background off";
    QTest::keyClick(form.ColorGrid1, Qt::Key_F);
    EXPECT_EQ(form.ColorGrid1->ForegroundIndex(), 9);
}

// Built with the shadow given last, a coordinate label first takes the size of its text alone;
// from its first caption change on, the shadow one pixel right and down counts too.
TEST_F(WindowLook, ALabelCountsItsShadowFromItsFirstCaptionChange) {
    TShadowLabel& label = *form.ShadowLabel2;
    const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold);
    const auto text = [&](const QString& caption) {
        return TSpacedText(font, QRect(1, 0, 200, 50),
                           Qt::AlignLeft | Qt::TextExpandTabs | Qt::TextShowMnemonic, caption)
            .Bounds()
            .size();
    };
    EXPECT_EQ(label.size(), text(QStringLiteral("X :")) + QSize(2, 0));
    label.SetCaption(QStringLiteral("X : 12"));
    EXPECT_EQ(label.size(), text(QStringLiteral("X : 12")) + QSize(3, 1));
}

} // namespace

// A click picks without taking the focus or showing the selector; when the focus comes to the
// grid by other means (the about panel disables the language list), the selector sits on the
// colour in use.
TEST_F(WindowLook, AClickPicksWithoutTheFocusAndTheSelectorNeverShowsAnotherColour) {
    mouse::Click(*form.ColorGrid1, QPoint(3 * 25 + 12, 2 * 25 + 12)); // yellow, index 11
    EXPECT_EQ(form.ColorGrid1->ForegroundIndex(), 11);
    EXPECT_TRUE(form.ComboBox1->hasFocus()) << "the click leaves the focus where it was";
    EXPECT_FALSE(form.ColorGrid1->hasFocus());

    mouse::Click(*form.sohoTextButton7, QPoint(30, 12)); // About
    if (form.ColorGrid1->hasFocus()) {
        EXPECT_EQ(form.ColorGrid1->Selection(), 11);
    }
    mouse::Click(*form.ga2, QPoint(10, 10));
}
