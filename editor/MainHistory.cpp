// The editor window's undo history and its BIOS view: hooks the handlers call after each step.
#include "controls/ShadowLabel.h"
#include "controls/TextButton.h"
#include "controls/TextListBox.h"
#include "editor/BiosView.h"
#include "editor/Main.h"
#include "logo/EpaLogo.h"
#include "runtime/Panel.h"
#include "runtime/Shortcuts.h"

#include <QComboBox>
#include <QLineEdit>

void TMainForm::StartHistory() {
    BiosView1 = new TBiosView(this);
    Shortcuts::Add(*this, QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { Undo(); });
    Shortcuts::Add(*this, QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { Redo(); });
    Shortcuts::Add(*this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { Redo(); });
    Shortcuts::Add(*this, QKeySequence(Qt::CTRL | Qt::Key_B), [this] { ShowBiosView(); });
    // The commands' usual keys, each pressing its button.
    const std::pair<QKeySequence, TsohoTextButton*> commands[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), sohoTextButton1},
        {QKeySequence(Qt::CTRL | Qt::Key_O), sohoTextButton2},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), sohoTextButton3},
        {QKeySequence(Qt::CTRL | Qt::Key_Return), sohoTextButton4},
        {QKeySequence(Qt::CTRL | Qt::Key_Enter), sohoTextButton4},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), sohoTextButton5},
        {QKeySequence(Qt::CTRL | Qt::Key_S), sohoTextButton6},
        {QKeySequence(Qt::Key_F1), sohoTextButton8},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), sohoTextButton9}};
    for (const auto& [keys, button] : commands)
        Shortcuts::Add(*this, keys, [this, button] { PressFromKeyboard(*button); });
    Shortcuts::Add(*this, QKeySequence(Qt::CTRL | Qt::Key_I), [this] { Import(); });
    Shortcuts::Add(*this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R),
                   [this] { WriteIntoBiosImage(); });
    // The language list keeps the focus while the user draws; only text typed into it since the
    // last step is its own to undo.
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, [this] { textTyped_ = true; });
    Shortcuts::PreferOver(*ComboBox1, [this](const QKeySequence& keys) {
        const QLineEdit& text = *ComboBox1->lineEdit();
        if (!textTyped_)
            return false;
        if (keys == QKeySequence(Qt::CTRL | Qt::Key_Z))
            return text.isUndoAvailable();
        return keys != QKeySequence(Qt::CTRL | Qt::Key_B) && text.isRedoAvailable();
    });
    document_.SetNames(ShadowLabel7->Caption(), ShadowLabel8->Caption());
    RecordStep(stDrawing | stPreview | stNames);
}

void TMainForm::RecordStep(unsigned parts) {
    textTyped_ = false;
    history_.Record(document_.Snapshot(parts, history_.Empty() ? nullptr : &history_.Current()));
    sohoTextButton6->SetEnabled(document_.CanSaveLogo());
    RefreshBiosView();
}

void TMainForm::Restore(const TEditState& state) {
    const TEditState& now = history_.Current();
    document_.Restore(state, now);
    sohoTextButton6->SetEnabled(document_.CanSaveLogo());
    const QString language = ComboBox1->currentText().left(2);
    if (state.content.pictureName != now.content.pictureName)
        ShadowLabel7->SetCaption(Captions::InLanguage(state.content.pictureName,
                                                      &Captions::Column::pictureName, language));
    if (state.content.logoName != now.content.logoName)
        ShadowLabel8->SetCaption(
            Captions::InLanguage(state.content.logoName, &Captions::Column::logoName, language));
}

void TMainForm::Undo() {
    GoThroughHistory(true);
}

void TMainForm::Redo() {
    GoThroughHistory(false);
}

void TMainForm::GoThroughHistory(bool back) {
    // The help covers the whole window: a change under it would go unseen.
    if (tlb1->isVisible())
        return;
    // A stroke under way ends here, and is the step undone.
    if (document_.EndStroke())
        RecordStep(stDrawing);
    const TEditState* target = back ? history_.Before() : history_.After();
    if (!target)
        return;
    Restore(*target);
    if (back)
        history_.StepBack();
    else
        history_.StepForward();
    RefreshBiosView();
}

// Like the other commands that open a window, it waits while an overlay is open.
void TMainForm::ShowBiosView() {
    if (Panel1->isVisible() || tlb1->isVisible())
        return;
    BiosView1->ShowBeside();
    RefreshBiosView();
}

// A hidden view is brought up to date when it is shown: every step need not compose the logo.
void TMainForm::RefreshBiosView() {
    if (BiosView1 && BiosView1->isVisible())
        BiosView1->SetLogo(TEpaLogo::Compose(document_.Colors(),
                                             document_.Content().byteRows.value_or(QByteArray())));
}
