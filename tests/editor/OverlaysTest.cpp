#include "controls/ShadowLabel.h"
#include "controls/TextListBox.h"
#include "gif/GIFAnimator.h"
#include "runtime/Fonts.h"
#include "runtime/Image.h"
#include "runtime/Panel.h"
#include "tests/Screenshots.h"
#include "tests/editor/WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QScrollBar>

namespace {

// The about panel and the help view, opened and closed with the mouse.
class Overlays : public WindowFixture {
protected:
    // What takes a click at `point` of `control`.
    QWidget* Under(QWidget& control, QPoint point) {
        return form.childAt(control.mapTo(&form, point));
    }
    bool Covered(QWidget& control, QPoint point, QWidget& cover) {
        QWidget* top = Under(control, point);
        return top == &cover || cover.isAncestorOf(top);
    }
    QMap<QWidget*, bool> EnabledStates() {
        QMap<QWidget*, bool> states;
        for (QWidget* widget : form.findChildren<QWidget*>())
            states[widget] = widget->isEnabled();
        return states;
    }
    void Screenshot(const QString& name) {
        QCoreApplication::processEvents();
        SaveScreenshot(form.grab().toImage(), name);
    }
    QList<TsohoTextButton*> Locked() const {
        return {form.sohoTextButton2, form.sohoTextButton7, form.sohoTextButton8,
                form.sohoTextButton9};
    }
};

TEST_F(Overlays, AboutSwapsTheAnimationsAndLocksTheCommandsBesideIt) {
    const QMap<QWidget*, bool> before = EnabledStates();
    Press(form.sohoTextButton7);
    EXPECT_TRUE(form.Panel1->isVisible());
    EXPECT_FALSE(form.ga1->Animate());
    EXPECT_TRUE(form.ga2->Animate());
    for (TsohoTextButton* button : Locked())
        EXPECT_FALSE(button->Enabled()) << button->Caption().toStdString();
    EXPECT_FALSE(form.ComboBox1->isEnabled());
    EXPECT_FALSE(form.sohoTextButton7->Pressed()) << "About lets go although it missed its release";
    Screenshot(QStringLiteral("about-open.png"));

    mouse::Click(*form.ga2, QPoint(20, 20));
    EXPECT_FALSE(form.Panel1->isVisible());
    EXPECT_TRUE(form.ga1->Animate());
    EXPECT_FALSE(form.ga2->Animate());
    EXPECT_EQ(EnabledStates(), before);
    EXPECT_FALSE(form.sohoTextButton7->Pressed());
}

// The panel covers the middle of the window; the drawing's left part, the preview's last
// columns, "BMP Kayıt" and the grid stay in reach, while the animation stands still.
TEST_F(Overlays, ThePanelCoversOnlyTheMiddleOfTheWindow) {
    Press(form.sohoTextButton7);
    TPanel& panel = *form.Panel1;
    EXPECT_TRUE(Covered(*form.Image2, QPoint(135, 60), panel));
    EXPECT_TRUE(Covered(*form.sohoTextButton1, QPoint(30, 12), panel));
    EXPECT_TRUE(Covered(*form.ShadowLabel8, QPoint(5, 5), panel));
    EXPECT_EQ(Under(*form.Image1, QPoint(125, 60)), &panel);
    EXPECT_EQ(Under(*form.Image1, QPoint(124, 60)), form.Image1);
    EXPECT_EQ(Under(*form.Image2, QPoint(136, 60)), form.Image2);
    EXPECT_EQ(Under(*form.sohoTextButton3, QPoint(30, 12)), form.sohoTextButton3);
    EXPECT_EQ(Under(*form.ColorGrid1, QPoint(50, 50)), form.ColorGrid1);
    EXPECT_EQ(Under(*form.ga1, QPoint(12, 16)), form.ga1);
    EXPECT_EQ(Under(panel, QPoint(130, 260)), form.ga2);
}

TEST_F(Overlays, WhatLiesBesideThePanelStillWorks) {
    Press(form.sohoTextButton7);
    PickColour(9); // red: text-mode light red, 12
    mouse::Click(*form.Image2, QPoint(150, 20));
    EXPECT_EQ(form.ColorTable().At(16, 1), 12) << "a click at x = 150 colours column 16";
    EXPECT_EQ(form.ColorTable().At(15, 1), 15);

    mouse::Click(*form.Image1, QPoint(30, 40));
    EXPECT_EQ(form.Image1->Canvas().Pixel(30, 40), clWhite);
    mouse::Click(*form.Image1, QPoint(130, 40));
    EXPECT_EQ(form.Image1->Canvas().Pixel(130, 40), clBlack) << "under the panel";

    Run(form.sohoTextButton3, {{mrCancel, {}}});
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].kind, TPromptKind::pkInputBox) << "BMP Kayıt asks for a name";
    EXPECT_TRUE(form.Panel1->isVisible());
}

TEST_F(Overlays, HelpCoversTheWindowAndLeavesEveryEnabledStateAsItWas) {
    const QMap<QWidget*, bool> before = EnabledStates();
    Press(form.sohoTextButton8);
    TTextListBox& help = *form.tlb1;
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(form.Button1->isVisible());
    EXPECT_FALSE(form.ga1->Animate());
    EXPECT_FALSE(form.ga2->Animate());
    EXPECT_EQ(EnabledStates(), before);
    for (QWidget* control : QList<QWidget*>{form.ComboBox1, form.ColorGrid1, form.sohoTextButton7,
                                            form.Image1, form.Image2})
        EXPECT_TRUE(Covered(*control, QPoint(5, 5), help));
    EXPECT_EQ(Under(*form.Button1, QPoint(60, 12)), form.Button1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(help.horizontalScrollBar()->isVisible()) << "the help has lines wider than the box";
    Screenshot(QStringLiteral("help-open.png"));

    mouse::Click(*form.Button1, QPoint(60, 12));
    EXPECT_FALSE(help.isVisible());
    EXPECT_FALSE(form.Button1->isVisible());
    EXPECT_TRUE(form.ga1->Animate());
    EXPECT_EQ(EnabledStates(), before);
    EXPECT_TRUE(Covered(*form.ComboBox1, QPoint(5, 5), *form.ComboBox1)) << "in reach again";
}

// The arrows scroll the help; the language list under it keeps its language, and its focus
// once the help closes.
TEST_F(Overlays, KeysGoToTheHelpWhileItIsOpen) {
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(form.ComboBox1->hasFocus());
    Press(form.sohoTextButton8);
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(form.windowHandle(), Qt::Key_Down);
    EXPECT_EQ(form.ComboBox1->currentIndex(), 0);
    EXPECT_EQ(form.sohoTextButton1->Caption(), QStringLiteral("Yeni"));
    EXPECT_GE(form.tlb1->currentIndex().row(), 29);
    EXPECT_GT(form.tlb1->verticalScrollBar()->value(), 0);

    mouse::Click(*form.Button1, QPoint(60, 12));
    EXPECT_TRUE(form.ComboBox1->hasFocus());
}

// The help keeps the facts a user needs to make and install a logo, in its three languages.
TEST_F(Overlays, TheHelpTellsHowToMakeAndInstallALogo) {
    EXPECT_EQ(form.tlb1->Count(), 0) << "read when first opened";
    Press(form.sohoTextButton8);
    QStringList lines;
    for (int i = 0; i < form.tlb1->Count(); ++i)
        lines.append(form.tlb1->Line(i));
    const QString text = lines.join(u'\n');
    for (const char* fact : {"2582", "136", "126", "8 ", "4.50", "4.51", "4.51PG", "/epa",
                             "Resim1.EPA", "image1.EPA", "DEUTSCH", "ENGLISH", "NASIL"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(fact))) << fact;
    // The Linux way, beside the vendor tool's.
    for (const char* fact : {"LINUX'TA", "UNTER LINUX", "ON LINUX", "flashrom -p internal -r",
                             "epatool rom list", "epatool rom extract"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(fact))) << fact;
    EXPECT_EQ(text.count(QStringLiteral("epatool rom replace")), 3) << "in each language";
    // What Varnel adds, in lines that fit the list.
    const QFontMetrics metrics(form.tlb1->font());
    for (const char* heading :
         {"VARNEL'İN EKLEDİKLERİ :", "WAS VARNEL HINZUFÜGT :", "WHAT VARNEL ADDS :"}) {
        qsizetype line = lines.indexOf(QString::fromUtf8(heading));
        ASSERT_GT(line, 0) << heading;
        for (; !lines[line].isEmpty(); ++line)
            EXPECT_LE(metrics.horizontalAdvance(lines[line]), form.tlb1->viewport()->width())
                << lines[line].toStdString();
    }
    for (const char* fact : {"Ctrl+Shift+O", "Strg+Umschalt+O", "Ctrl+B", "Strg+B", "Ctrl+I",
                             "Ctrl+Shift+R", "Strg+Umschalt+R", "F1", "Esc", ".awd"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(fact))) << fact;
    EXPECT_EQ(lines.last(), QStringLiteral(","));
    EXPECT_TRUE(lines[2].isEmpty() && lines[3].isEmpty());
    EXPECT_LT(text.indexOf(QStringLiteral("DEUTSCH")), text.indexOf(QStringLiteral("ENGLISH")));
    mouse::Click(*form.Button1, QPoint(60, 12));
    Press(form.sohoTextButton8);
    EXPECT_EQ(form.tlb1->Count(), lines.size()) << "opened again, read once";
}

// The window's list keeps its range at the widest help line, in whatever font it has.
TEST_F(Overlays, TheHelpsRangeFollowsItsWidestLine) {
    Press(form.sohoTextButton8);
    TTextListBox& help = *form.tlb1;
    const auto widest = [&] {
        const QFontMetrics metrics(help.font());
        int width = 0;
        for (int i = 0; i < help.Count(); ++i)
            width = qMax(width, metrics.horizontalAdvance(help.Line(i) + u'x'));
        return width;
    };
    const int start = widest();
    EXPECT_EQ(help.HorizontalExtent(), start);
    help.Add(QStringLiteral("W").repeated(200));
    EXPECT_EQ(help.HorizontalExtent(), widest());
    help.Delete(help.Count() - 1);
    EXPECT_EQ(help.HorizontalExtent(), start);
    help.setFont(MakeFont(QStringLiteral("MS Sans Serif"), 16));
    EXPECT_EQ(help.HorizontalExtent(), widest());
    EXPECT_GT(help.HorizontalExtent(), start);
}

} // namespace
