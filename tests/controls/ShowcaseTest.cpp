#include "controls/ProBorder.h"
#include "controls/ShadowLabel.h"
#include "controls/TextButton.h"
#include "controls/UrlLabel.h"
#include "controls/sohoPanel.h"
#include "runtime/Bitmap.h"
#include "runtime/Fonts.h"
#include "runtime/Image.h"

#include <gtest/gtest.h>

namespace {

// One of each control on the window's backdrop, as the editor places them. With
// VARNEL_SCREENSHOTS set to a folder, the picture is saved there as controls.png to be looked at.
TEST(Showcase, TheControlsTogetherOnTheBackdrop) {
    QWidget window;
    window.resize(300, 200);
    window.setFont(MakeFont(QStringLiteral("MS Sans Serif"), 11));
    auto* panel = new TsohoPanel(&window);
    panel->SetBounds(0, 0, 300, 200);
    panel->SetBorderStyle(bsSingle);
    TBitmap backdrop;
    backdrop.LoadFromFile(QStringLiteral(VARNEL_SOURCE_DIR "/resources/background.bmp"));
    panel->SetBackImage(&backdrop);

    auto* border = new TProBorder(panel);
    border->SetBounds(11, 10, 149, 139);
    border->SetBevelCtl3D(true);
    border->SetBevelInner(bvRaised);
    auto* image = new TImage(panel);
    image->SetBounds(16, 15, 137, 127);
    image->Picture().SetGraphic(std::make_unique<TBitmap>(137, 127, TPixelFormat::pf1bit));
    TCanvas& canvas = image->Canvas();
    canvas.SetPenColor(clWhite);
    canvas.MoveTo(20, 100);
    canvas.LineTo(68, 20);
    canvas.LineTo(116, 100);
    canvas.LineTo(20, 100);

    auto* button = new TsohoTextButton(panel);
    button->SetBounds(180, 40, 94, 24);
    button->SetCaption(QStringLiteral("BMP > EPA"));
    button->SetFont(MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold));
    button->SetFontColor(clRed);

    auto* heading = new TShadowLabel(panel);
    heading->SetBounds(180, 10, 53, 13);
    heading->SetTransparent(true);
    heading->SetShadowPos(spRightBottom);
    heading->SetFont(MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold | fsUnderline));
    heading->SetFontColor(clTeal);
    heading->SetCaption(QStringLiteral("  Piksel  "));

    auto* link = new TProUrlLabel(panel);
    link->SetBounds(20, 160, 161, 13);
    link->SetTransparent(true);
    link->SetFont(MakeFont(QStringLiteral("MS Sans Serif"), 11, fsUnderline));
    link->SetCaption(QStringLiteral("http://www.varnel.example/"));

    const QImage shot = window.grab().toImage();
    if (const QString folder = qEnvironmentVariable("VARNEL_SCREENSHOTS"); !folder.isEmpty())
        shot.save(folder + QStringLiteral("/controls.png"));

    // The picture lies on its frame, inside the frame's rings and the panel's edge.
    EXPECT_EQ(image->pos(), QPoint(18, 17));
    EXPECT_EQ(shot.pixelColor(18 + 68, 17 + 20), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(13, 12), ToQColor(clBtnShadow));
}

} // namespace
