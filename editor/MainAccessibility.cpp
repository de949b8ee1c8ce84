// What a screen reader hears of the editor window: each control's role and name, in the
// window's language, and the colour the grid has picked.
#include "controls/ColorGrid.h"
#include "controls/ProBorder.h"
#include "controls/ShadowLabel.h"
#include "controls/TextButton.h"
#include "controls/TextListBox.h"
#include "controls/UrlLabel.h"
#include "controls/sohoPanel.h"
#include "editor/Main.h"
#include "gif/GIFAnimator.h"
#include "runtime/Accessibility.h"
#include "runtime/Image.h"
#include "runtime/Label.h"
#include "runtime/ProgressBar.h"

#include <QComboBox>

// Our own controls get their roles here; Qt's (the language list, the progress bar, the help's
// list and its close button) have theirs already. Buttons and labels are named by their
// captions.
void TMainForm::StartAccessibility() {
    const std::pair<QWidget*, QAccessible::Role> roles[] = {
        {sohoPanel2, QAccessible::Pane},         {ProBorder1, QAccessible::Border},
        {ProBorder2, QAccessible::Border},       {Image1, QAccessible::Graphic},
        {Image2, QAccessible::Graphic},          {ShadowLabel1, QAccessible::StaticText},
        {ShadowLabel2, QAccessible::StaticText}, {ShadowLabel3, QAccessible::StaticText},
        {ShadowLabel4, QAccessible::StaticText}, {ShadowLabel5, QAccessible::StaticText},
        {ShadowLabel6, QAccessible::StaticText}, {ShadowLabel7, QAccessible::StaticText},
        {ShadowLabel8, QAccessible::StaticText}, {ProUrlLabel1, QAccessible::Link},
        {ProUrlLabel2, QAccessible::Link},       {ga1, QAccessible::Animation},
        {ColorGrid1, QAccessible::ColorChooser}, {Panel1, QAccessible::Pane},
        {ga2, QAccessible::Animation},           {Label1, QAccessible::StaticText}};
    for (const auto& [control, role] : roles)
        Accessibility::SetRole(*control, role);
    for (TsohoTextButton* button : CommandButtons())
        Accessibility::SetRole(*button, QAccessible::Button);
    sohoPanel2->setAccessibleName(windowTitle().trimmed());
    ColorGrid1->OnChange = [this](TControl&) { ReportColour(); };
    NameControls(*Captions::Named(ComboBox1->currentText().left(2)));
}

void TMainForm::NameControls(const Captions::Language& language) {
    language_ = &language;
    const std::pair<QWidget*, QString Captions::Spoken::*> names[] = {
        {ProBorder1, &Captions::Spoken::drawingBox}, {Image1, &Captions::Spoken::drawingBox},
        {ProBorder2, &Captions::Spoken::previewBox}, {Image2, &Captions::Spoken::previewBox},
        {ColorGrid1, &Captions::Spoken::colourGrid}, {ComboBox1, &Captions::Spoken::languageList},
        {sg1, &Captions::Spoken::progress},          {ga1, &Captions::Spoken::animation},
        {ga2, &Captions::Spoken::animation},
    };
    for (const auto& [control, text] : names)
        control->setAccessibleName(language.spoken.*text);
    // The overlays are named as the buttons that open them.
    Panel1->setAccessibleName(language.texts.about);
    tlb1->setAccessibleName(language.texts.help);
    ReportColour();
}

// The colour drawn with, by name and grid index.
void TMainForm::ReportColour() {
    const int index = ColorGrid1->ForegroundIndex();
    Accessibility::SetValue(
        *ColorGrid1, QStringLiteral("%1, %2").arg(language_->spoken.colours[index]).arg(index));
}
