#include "controls/sohoPanel.h"
#include "editor/Main.h"
#include "gif/GIFAnimator.h"

#include <QFrame>
#include <gtest/gtest.h>

namespace {

QRect InParent(const QWidget& widget, QRect bounds) {
    return bounds.translated(widget.parentWidget()->contentsRect().topLeft());
}

// The chip plays from the start at the lower left of the window; the floppy waits on the hidden
// about panel.
TEST(MainFormAnimations, Ga1PlaysFromTheStartAndGa2WaitsOnTheAboutPanel) {
    TMainForm form;
    const TGIFAnimator& ga1 = *form.ga1;
    EXPECT_EQ(ga1.parentWidget(), form.sohoPanel2);
    EXPECT_EQ(ga1.geometry(), InParent(ga1, QRect(20, 278, 24, 32)));
    EXPECT_EQ(form.ga1->Image().Count(), 6);
    EXPECT_TRUE(ga1.Stretch());
    EXPECT_FALSE(ga1.AutoSize());
    EXPECT_TRUE(ga1.Animate());

    const TGIFAnimator& ga2 = *form.ga2;
    EXPECT_EQ(ga2.parentWidget(), form.Panel1);
    EXPECT_EQ(ga2.geometry(), InParent(ga2, QRect(110, 240, 42, 49)));
    EXPECT_EQ(form.ga2->Image().Count(), 4);
    EXPECT_FALSE(ga2.AutoSize());
    EXPECT_FALSE(ga2.Animate());
    EXPECT_EQ(ga2.cursor().shape(), Qt::PointingHandCursor);
    form.show();
    EXPECT_TRUE(ga1.isVisible());
    EXPECT_FALSE(ga2.isVisible());
}

} // namespace
