#include "controls/ProBorder.h"
#include "controls/ShadowLabel.h"
#include "controls/TextListBox.h"
#include "controls/UrlLabel.h"
#include "controls/sohoPanel.h"
#include "editor/FocusMark.h"
#include "gif/GIFAnimator.h"
#include "runtime/Image.h"
#include "runtime/Label.h"
#include "runtime/Panel.h"
#include "runtime/ProgressBar.h"
#include "tests/editor/WindowFixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QPushButton>

namespace {

using Accessible = WindowFixture;

QAccessibleInterface* Face(QWidget* control) {
    return QAccessible::queryAccessibleInterface(control);
}

// Every control of the window and of the about panel, as a screen reader names it.
TEST_F(Accessible, EveryControlHasANameAndItsRole) {
    TMainForm& f = form;
    QMap<QWidget*, QAccessible::Role> roles{
        {f.sohoPanel2, QAccessible::Pane},    {f.ProBorder1, QAccessible::Border},
        {f.ProBorder2, QAccessible::Border},  {f.Image1, QAccessible::Graphic},
        {f.Image2, QAccessible::Graphic},     {f.ProUrlLabel1, QAccessible::Link},
        {f.ProUrlLabel2, QAccessible::Link},  {f.ga1, QAccessible::Animation},
        {f.ga2, QAccessible::Animation},      {f.ColorGrid1, QAccessible::ColorChooser},
        {f.ComboBox1, QAccessible::ComboBox}, {f.sg1, QAccessible::ProgressBar},
        {f.Panel1, QAccessible::Pane},        {f.Label1, QAccessible::StaticText},
        {f.tlb1, QAccessible::List},          {f.Button1, QAccessible::Button}};
    for (QWidget* button : {f.sohoTextButton1, f.sohoTextButton2, f.sohoTextButton3,
                            f.sohoTextButton4, f.sohoTextButton5, f.sohoTextButton6,
                            f.sohoTextButton7, f.sohoTextButton8, f.sohoTextButton9})
        roles[button] = QAccessible::Button;
    for (QWidget* label : {f.ShadowLabel1, f.ShadowLabel2, f.ShadowLabel3, f.ShadowLabel4,
                           f.ShadowLabel5, f.ShadowLabel6, f.ShadowLabel7, f.ShadowLabel8})
        roles[label] = QAccessible::StaticText;
    for (QWidget* parent : {static_cast<QWidget*>(f.sohoPanel2), static_cast<QWidget*>(f.Panel1)})
        for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(roles.contains(child) || child == f.FocusMark1)
                << child->metaObject()->className() << " is not known";
    for (auto [control, role] : roles.asKeyValueRange()) {
        SCOPED_TRACE(control->metaObject()->className());
        EXPECT_EQ(Face(control)->role(), role);
        EXPECT_FALSE(Face(control)->text(QAccessible::Name).isEmpty());
    }
    EXPECT_EQ(Face(f.sohoTextButton5)->text(QAccessible::Name), "EPA Yükle");
    f.ComboBox1->setCurrentIndex(2);
    EXPECT_EQ(Face(f.sohoTextButton5)->text(QAccessible::Name), "EPA Laden");
    EXPECT_EQ(Face(f.Image2)->text(QAccessible::Name), "Vorschau");
}

// The grid tells the colour drawn with, in the window's language.
TEST_F(Accessible, TheGridReportsThePickedColour) {
    QAccessibleInterface* grid = Face(form.ColorGrid1);
    EXPECT_EQ(grid->text(QAccessible::Value), "Beyaz, 15");
    PickColour(9);
    EXPECT_EQ(grid->text(QAccessible::Value), "Kırmızı, 9");
    EXPECT_EQ(grid->text(QAccessible::Description), "Kırmızı, 9");
    form.ComboBox1->setCurrentIndex(1);
    EXPECT_EQ(grid->text(QAccessible::Value), "Red, 9");
}

// A link is named by its address, in every language, and can take the focus.
TEST_F(Accessible, TheLinksAreNamedByTheirAddresses) {
    for (int language = 0; language < 3; ++language) {
        form.ComboBox1->setCurrentIndex(language);
        for (TProUrlLabel* link : {form.ProUrlLabel1, form.ProUrlLabel2}) {
            EXPECT_EQ(Face(link)->role(), QAccessible::Link);
            EXPECT_EQ(Face(link)->text(QAccessible::Name), link->URL());
            EXPECT_TRUE(Face(link)->state().focusable);
        }
    }
}

} // namespace
