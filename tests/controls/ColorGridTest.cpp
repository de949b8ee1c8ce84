#include "controls/ColorGrid.h"

#include "runtime/Canvas.h"

#include <QApplication>
#include <QLineEdit>
#include <QShortcut>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The grid as the editor holds it: a child of a shown, active window. Its cells are 25 x 25.
class ColorGridTest : public ::testing::Test {
protected:
    ColorGridTest() {
        window.resize(200, 200);
        grid->move(50, 50);
        grid->OnChange = [this](TControl&) { ++changes; };
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }

    TColor PixelAt(int x, int y) const { return FromQRgb(grid->grab().toImage().pixel(x, y)); }
    QImage CellInterior(int cell) const {
        return grid->grab(QRect(cell % 4 * 25 + 3, cell / 4 * 25 + 3, 19, 19)).toImage();
    }
    // A cell interior of `fill` with `text` drawn on it the way the grid draws a mark.
    QImage MarkedInterior(TColor fill, TColor ink, const QString& text) const {
        QImage cell(25, 25, QImage::Format_RGB32);
        cell.fill(ToQColor(fill));
        TCanvas canvas(cell);
        canvas.SetFont(grid->Font());
        canvas.SetFontColor(ink);
        canvas.DrawText(cell.rect(), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
        return cell.copy(3, 3, 19, 19);
    }
    void Click(Qt::MouseButton button, QPoint at) { QTest::mouseClick(grid, button, {}, at); }

    QWidget window;
    TColorGrid* grid = new TColorGrid(&window);
    int changes = 0;
};

// Sixteen different colours, each cell painted in the colour its index gives; the dark colours
// 1 to 6 are the bright ones 9 to 14 at half strength, and the editor relies on a few places.
TEST_F(ColorGridTest, ShowsSixteenColoursInThePlatformOrder) {
    QList<TColor> colors;
    for (int i = 0; i < 16; ++i) {
        grid->SetForegroundIndex(i);
        colors.append(grid->ForegroundColor());
        EXPECT_EQ(PixelAt(i % 4 * 25 + 4, i / 4 * 25 + 4), colors[i]) << i;
        EXPECT_EQ(colors.indexOf(colors[i]), i) << "a colour twice";
    }
    for (int i = 1; i <= 6; ++i)
        for (int shift : {0, 8, 16}) {
            const TColor bright = colors[i + 8] >> shift & 0xFF;
            EXPECT_TRUE(bright == 0 || bright == 0xFF) << i + 8;
            EXPECT_EQ(colors[i] >> shift & 0xFF, bright == 0xFF ? 0x80u : 0u) << i;
        }
    EXPECT_EQ(colors[0], clBlack);
    EXPECT_EQ(colors[1], clMaroon);
    EXPECT_EQ(colors[4], clNavy);
    EXPECT_EQ(colors[7], clSilver);
    EXPECT_EQ(colors[8], clGray);
    EXPECT_EQ(colors[15], clWhite);
}

TEST_F(ColorGridTest, SunkenFramesWithTheSelectorOnlyWhileFocused) {
    const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    ASSERT_NE(shadow, light);
    EXPECT_EQ(PixelAt(25, 25), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelAt(27, 27), shadow);
    EXPECT_EQ(PixelAt(48, 26), light); // the right and bottom edges own the corners
    EXPECT_EQ(PixelAt(26, 48), light);
    EXPECT_EQ(PixelAt(28, 28), clPurple);

    grid->SetSelection(5);
    const QImage plain = MarkedInterior(clPurple, clPurple, QString());
    EXPECT_EQ(CellInterior(5), plain);
    grid->setFocus();
    EXPECT_NE(CellInterior(5), plain);
    grid->clearFocus();
    EXPECT_EQ(CellInterior(5), plain);
}

TEST_F(ColorGridTest, FlatCellsInvertAroundTheFocusedSelection) {
    grid->SetCtl3D(false);
    grid->SetSelection(1);
    grid->setFocus();
    EXPECT_EQ(PixelAt(50, 0), clBlack);
    EXPECT_EQ(PixelAt(51, 1), clGreen);
    EXPECT_EQ(PixelAt(25, 0), clWhite);
    EXPECT_EQ(PixelAt(26, 1), clMaroon ^ 0xFFFFFF);
    EXPECT_EQ(PixelAt(27, 2), clBlack);
    EXPECT_EQ(PixelAt(28, 3), clMaroon);
}

TEST_F(ColorGridTest, MarksFollowTheColoursInContrastInk) {
    // As the editor sets it up: only the foreground shows, on white.
    grid->SetForegroundIndex(15);
    grid->SetBackgroundIndex(15);
    grid->SetBackgroundEnabled(false);
    const QImage fg = MarkedInterior(clWhite, clBlack, "FG");
    ASSERT_NE(fg, MarkedInterior(clWhite, clBlack, "FB"));
    ASSERT_NE(fg, MarkedInterior(clWhite, clBlack, QString()));
    EXPECT_EQ(CellInterior(15), fg);

    grid->SetBackgroundEnabled(true);
    EXPECT_EQ(CellInterior(15), MarkedInterior(clWhite, clBlack, "FB"));
    Click(Qt::LeftButton, QPoint(10, 30));
    EXPECT_EQ(CellInterior(4), MarkedInterior(clNavy, clYellow, "FG"));
    EXPECT_EQ(CellInterior(15), MarkedInterior(clWhite, clBlack, "BG"));
}

TEST_F(ColorGridTest, SnapsToWholeCells) {
    grid->resize(101, 99);
    EXPECT_EQ(grid->size(), QSize(100, 96));
    Click(Qt::LeftButton, QPoint(25, 24));
    EXPECT_EQ(grid->ForegroundIndex(), 5);

    grid->resize(100, 100);
    grid->SetGridOrdering(TGridOrdering::go16x1);
    EXPECT_EQ(grid->size(), QSize(96, 100));
    Click(Qt::LeftButton, QPoint(95, 99));
    EXPECT_EQ(grid->ForegroundIndex(), 15);

    // Smaller than its grid: one pixel a cell rather than cells of none.
    grid->resize(3, 0);
    EXPECT_EQ(grid->size(), QSize(16, 1));
    Click(Qt::LeftButton, QPoint(6, 0));
    EXPECT_EQ(grid->ForegroundIndex(), 6);
}

TEST_F(ColorGridTest, PressPicksAndDraggingOutsideClampsToEdgeCells) {
    QTest::mousePress(grid, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(grid->ForegroundIndex(), 5);
    QTest::mouseMove(grid, QPoint(-10, -10));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, QPoint(-10, -10));
    EXPECT_EQ(grid->ForegroundIndex(), 0);
    EXPECT_EQ(grid->Selection(), 0);
    Click(Qt::LeftButton, QPoint(5, 5));
    EXPECT_EQ(changes, 2);

    QTest::mousePress(grid, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseMove(grid, QPoint(140, 140));
    QTest::mouseRelease(grid, Qt::RightButton, {}, QPoint(140, 140));
    QTest::mouseMove(grid, QPoint(30, 30)); // released: no longer drags
    EXPECT_EQ(grid->BackgroundIndex(), 15);
    EXPECT_EQ(grid->ForegroundIndex(), 0);
    EXPECT_EQ(changes, 3);
}

TEST_F(ColorGridTest, ClickEnablesColorSwitchesADisabledColourOn) {
    grid->SetBackgroundIndex(5);
    grid->SetBackgroundEnabled(false);
    Click(Qt::RightButton, QPoint(30, 30));
    EXPECT_FALSE(grid->BackgroundEnabled());
    EXPECT_EQ(changes, 1);

    grid->SetClickEnablesColor(true);
    Click(Qt::RightButton, QPoint(30, 30));
    EXPECT_TRUE(grid->BackgroundEnabled());
    EXPECT_EQ(grid->BackgroundIndex(), 5);
    EXPECT_EQ(changes, 2);
}

TEST_F(ColorGridTest, SettersIgnoreDisabledColoursAndIndicesOutsideTheGrid) {
    grid->SetForegroundEnabled(false);
    grid->SetForegroundIndex(3);
    EXPECT_EQ(grid->ForegroundIndex(), 0);
    grid->SetForegroundEnabled(true);
    for (const int bad : {-1, 16}) {
        grid->SetForegroundIndex(bad);
        grid->SetBackgroundIndex(bad);
        grid->SetSelection(bad);
    }
    EXPECT_EQ(grid->ForegroundIndex(), 0);
    EXPECT_EQ(grid->BackgroundIndex(), 0);
    EXPECT_EQ(grid->Selection(), 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(ColorGridTest, ArrowKeysWrapAround) {
    struct Step {
        int from;
        Qt::Key key;
        int to;
    };
    for (const Step step :
         {Step{15, Qt::Key_Right, 0}, Step{0, Qt::Key_Left, 15}, Step{15, Qt::Key_Down, 0},
          Step{0, Qt::Key_Up, 15}, Step{13, Qt::Key_Down, 2}, Step{2, Qt::Key_Up, 13},
          Step{5, Qt::Key_Down, 9}, Step{5, Qt::Key_Space, 6}}) {
        grid->SetSelection(step.from);
        QTest::keyClick(grid, step.key);
        EXPECT_EQ(grid->Selection(), step.to) << step.from << " " << step.key;
    }
}

TEST_F(ColorGridTest, LetterKeysPickTheSelectionAndAreNotShortcuts) {
    int clicks = 0, shortcuts = 0;
    grid->OnClick = [&](TControl&) { ++clicks; };
    QShortcut shortcut(QKeySequence(Qt::Key_F), &window);
    QObject::connect(&shortcut, &QShortcut::activated, [&] { ++shortcuts; });
    grid->setFocus();
    grid->SetSelection(7);
    QTest::keyClick(grid, Qt::Key_F);
    QTest::keyClick(grid, Qt::Key_B);
    EXPECT_EQ(grid->ForegroundIndex(), 7);
    EXPECT_EQ(grid->BackgroundIndex(), 7);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(shortcuts, 0);

    // The grid's keys stop at the grid; others go on to the window.
    const auto accepted = [this](Qt::Key key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(grid, &press);
        return press.isAccepted();
    };
    EXPECT_TRUE(accepted(Qt::Key_Up));
    EXPECT_FALSE(accepted(Qt::Key_A));
    // OnKeyDown sees a key first and may take it for itself.
    grid->OnKeyDown = [](TControl&, int& key, Qt::KeyboardModifiers) { key = 0; };
    grid->SetSelection(8);
    EXPECT_TRUE(accepted(Qt::Key_F));
    EXPECT_EQ(grid->ForegroundIndex(), 7);
}

// Without a tab stop a click picks and leaves the focus and the cursor's frame where they were;
// where the window lets Tab reach the grid all the same, its cursor then starts on the colour
// in use.
TEST_F(ColorGridTest, TabReachesTheGridWithItsCursorOnThePickedColour) {
    grid->setFocusPolicy(Qt::TabFocus);
    auto* before = new QLineEdit(&window);
    before->show();
    before->setFocus();
    Click(Qt::LeftButton, QPoint(12, 37)); // cell 4, navy
    EXPECT_TRUE(before->hasFocus());
    EXPECT_EQ(grid->ForegroundIndex(), 4);
    const QImage unfocused = CellInterior(4);
    EXPECT_EQ(unfocused, MarkedInterior(clNavy, clYellow, QStringLiteral("FG")));

    grid->SetSelection(1);
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Selection(), 4);
    EXPECT_NE(CellInterior(4), unfocused) << "the cursor's frame";
    grid->SetBackgroundEnabled(false);
    grid->SetForegroundEnabled(false);
    grid->SetSelection(2);
    QTest::keyClick(grid, Qt::Key_Tab);
    QTest::keyClick(before, Qt::Key_Backtab);
    ASSERT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->Selection(), 2) << "with no colour shown the cursor stays";
}

TEST_F(ColorGridTest, ClicksTakeTheFocusOnlyWithATabStop) {
    Click(Qt::LeftButton, QPoint(30, 30));
    EXPECT_FALSE(grid->hasFocus());
    grid->SetTabStop(true);
    Click(Qt::LeftButton, QPoint(30, 30));
    EXPECT_TRUE(grid->hasFocus());
}

} // namespace
