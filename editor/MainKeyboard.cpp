// The editor window from the keyboard: Tab reaches every command button, Space or Enter presses
// the focused one, the shortcuts press theirs, and Esc closes the help and the about panel.
#include "controls/TextButton.h"
#include "controls/TextListBox.h"
#include "controls/UrlLabel.h"
#include "controls/sohoPanel.h"
#include "editor/FocusMark.h"
#include "editor/Main.h"
#include "gif/GIFAnimator.h"
#include "runtime/Panel.h"

#include <QPushButton>
#include <QShortcut>

namespace {

bool PressesButton(int key, Qt::KeyboardModifiers shift) {
    return (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
           (shift & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Esc closes `overlay`: a window shortcut that, parented to the overlay, is live only while
// the overlay shows, so that it takes the key from nothing else (an open language list, say).
void CloseOnEscape(QWidget& overlay, std::function<void()> close) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &overlay);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, &overlay, std::move(close));
}

} // namespace

QList<TsohoTextButton*> TMainForm::CommandButtons() const {
    return {sohoTextButton1, sohoTextButton2, sohoTextButton3, sohoTextButton4, sohoTextButton5,
            sohoTextButton6, sohoTextButton7, sohoTextButton8, sohoTextButton9};
}

void TMainForm::StartKeyboard() {
    QList<QWidget*> marked;
    for (TsohoTextButton* button : CommandButtons()) {
        button->OnKeyDown = [this](TControl& sender, int& key, Qt::KeyboardModifiers shift) {
            if (!PressesButton(key, shift))
                return;
            key = 0;
            PressFromKeyboard(sender);
        };
        marked.append(button);
    }
    FocusMark1 = new TFocusMark(sohoPanel2);
    // Clear of the buttons' two-pixel bevel; round the links' whole text.
    FocusMark1->AddMarked(marked, 3);
    FocusMark1->AddMarked({ProUrlLabel1, ProUrlLabel2}, 0);
    CloseOnEscape(*tlb1, [this] { Button1Click(*Button1); });
    CloseOnEscape(*Panel1, [this] { ga2Click(*ga2); });
}

// The keyboard does what a click could: nothing while the button is disabled or lies under an
// open overlay.
void TMainForm::PressFromKeyboard(TControl& button) {
    if (Reachable(button) && button.OnClick)
        button.OnClick(button);
}

// Whether a click at the middle of `control` would reach it.
bool TMainForm::Reachable(const QWidget& control) const {
    if (!control.isEnabled() || !control.isVisible())
        return false;
    if (!sohoPanel2->isAncestorOf(&control))
        return true;
    const QWidget* top = sohoPanel2->childAt(control.mapTo(sohoPanel2, control.rect().center()));
    return top && (top == &control || control.isAncestorOf(top));
}

// Tab passes over what an overlay covers: the keys go only to what the user sees.
bool TMainForm::focusNextPrevChild(bool next) {
    const int widgets = static_cast<int>(findChildren<QWidget*>().size());
    for (int tries = 0; tries < widgets; ++tries) {
        if (!QWidget::focusNextPrevChild(next))
            return false;
        const QWidget* focused = focusWidget();
        if (!focused || Reachable(*focused))
            return true;
    }
    return true;
}
