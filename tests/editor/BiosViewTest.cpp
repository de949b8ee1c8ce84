#include "editor/BiosView.h"
#include "logo/EpaFormat.h"
#include "logo/EpaLogo.h"
#include "runtime/Color.h"
#include "runtime/Image.h"
#include "tests/Screenshots.h"
#include "tests/editor/WindowFixture.h"

#include <QApplication>

namespace {

using LogoGeometry::CellHeight;
using LogoGeometry::CellWidth;

class BiosView : public WindowFixture {
protected:
    // The logo of the fixtures, converted, with four cells coloured.
    void ColouredLogo() {
        dir.Write("logo.bmp", TestData("pictures/logo.bmp"));
        Run(form.sohoTextButton2, {{mrOk, dir.Path("logo.bmp")}});
        Run(form.sohoTextButton4, {});
        for (auto [index, x, y] :
             {std::array{9, 20, 20}, {11, 110, 85}, {4, 60, 40}, {2, 130, 5}}) {
            PickColour(index);
            mouse::Click(*form.Image2, QPoint(x, y));
        }
    }
    QRgb Text(int attribute) { return VgaTextPalette()[attribute]; }
    // A picture of the view's window as it shows now.
    QImage Shot() { return form.BiosView1->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

} // namespace

TEST_F(BiosView, CtrlBShowsTheLogoAsSavedAndItFollowsEveryColouring) {
    ColouredLogo();
    ASSERT_FALSE(form.BiosView1->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.BiosView1));

    Run(form.sohoTextButton6, {{mrOk, "shown"}, {mrOk, {}}});
    ASSERT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    const QImage saved = TEpaLogo::Read(dir.Path("shown.epa"))
                             .Render()
                             .Image()
                             .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(form.BiosView1->Logo(), saved) << "the view shows what the save wrote";

    const QImage& logo = form.BiosView1->Logo();
    const int markerX = LogoGeometry::MarkerColumn * CellWidth;
    const int markerY = LogoGeometry::MarkerRow * CellHeight + LogoGeometry::MarkerFirstLine;
    EXPECT_EQ(logo.pixel(markerX, markerY), Text(EpaFormat::MarkerAttribute)) << "the mark";
    EXPECT_EQ(logo.pixel(markerX + 1, markerY), Text(0));

    PickColour(13);
    mouse::Click(*form.Image2, QPoint(20, 20));
    bool recoloured = false;
    for (int y = 14; y < 28 && !recoloured; ++y)
        for (int x = 16; x < 24; ++x)
            recoloured |= form.BiosView1->Logo().pixel(x, y) == Text(13);
    EXPECT_TRUE(recoloured) << "light magenta in cell (2, 1) at once";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.BiosView1->Logo(), saved) << "and back with the undo";

    const QImage shot = Shot();
    SaveScreenshot(shot, "bios-view.png");
    // The doubled logo repeats each pixel of the true-size one twice each way.
    const QPoint one = shot.rect().topLeft() + QPoint(8, 24);
    const QPoint two = one + QPoint(LogoGeometry::Width + 8, 0);
    for (int y = 0; y < LogoGeometry::Height; y += 3)
        for (int x = 0; x < LogoGeometry::Width; x += 3) {
            ASSERT_EQ(shot.pixel(one + QPoint(x, y)), logo.pixel(x, y)) << x << "," << y;
            ASSERT_EQ(shot.pixel(two + QPoint(2 * x + 1, 2 * y + 1)), logo.pixel(x, y));
        }
}

TEST_F(BiosView, CtrlBOpensItBeforeAnyConversion) {
    QTest::keyClick(&form, Qt::Key_B, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.BiosView1));
    const QImage& logo = form.BiosView1->Logo();
    ASSERT_EQ(logo.size(), QSize(LogoGeometry::Width, LogoGeometry::Height));
    int lit = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            lit += logo.pixel(x, y) != Text(0);
    EXPECT_EQ(lit, 19) << "nothing converted yet: only the mark's pixels";
    SaveScreenshot(Shot(), "bios-view-blank.png");
}

// A double click is two clicks on a cell, as quick colouring makes them: it colours and opens
// nothing.
TEST_F(BiosView, ADoubleClickOnThePreviewColoursTheCellAndOpensNothing) {
    PickColour(4); // navy in the grid: attribute 1
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {},
                       mouse::InWindow(*form.Image2, QPoint(5, 5)));
    EXPECT_FALSE(form.BiosView1->isVisible());
    EXPECT_EQ(form.ColorTable().At(0, 0), 1);
}
