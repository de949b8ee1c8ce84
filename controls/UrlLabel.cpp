#include "controls/UrlLabel.h"

#include "runtime/Shell.h"

TProUrlLabel::TProUrlLabel(QWidget* parent) : TProLabel(parent) {
    setFocusPolicy(Qt::TabFocus);
    setCursor(TCursors::Get(cursor_));
    SetFontColor(clBlue);
    QFont underlined;
    underlined.setUnderline(true);
    SetFont(underlined);
}

void TProUrlLabel::SetCursor(int cursor) {
    if (Store(cursor_, cursor))
        setCursor(TCursors::Get(cursor));
}

// The colour of the state the link is in goes through the font colour, which keeps it only
// while the link is not held; the other state's colour is simply kept.
void TProUrlLabel::SetUnvisitedColor(TColor color) {
    if (color == unvisitedColor_)
        return;
    if (visited_)
        unvisitedColor_ = color;
    else
        SetFontColor(color);
}

void TProUrlLabel::SetVisitedColor(TColor color) {
    if (color == visitedColor_)
        return;
    if (visited_)
        SetFontColor(color);
    else
        visitedColor_ = color;
}

void TProUrlLabel::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    TProLabel::MouseDown(button, shift, x, y);
    pressed_ = true;
    SetFontColor(activatedColor_);
}

// While held, the link shows whether letting go here would follow it.
void TProUrlLabel::MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
    TProLabel::MouseMove(shift, x, y);
    if (pressed_)
        SetFontColor(Inside(x, y) ? activatedColor_ : StateColor());
}

void TProUrlLabel::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    TProLabel::MouseUp(button, shift, x, y);
    const bool follow = pressed_ && Inside(x, y);
    pressed_ = false;
    if (follow)
        Follow();
    else
        SetFontColor(StateColor());
}

void TProUrlLabel::Follow() {
    visited_ = true;
    SetFontColor(StateColor());
    TShell::Open(url_.isEmpty() ? Caption() : url_);
}

void TProUrlLabel::KeyDown(int& key, Qt::KeyboardModifiers shift) {
    TProLabel::KeyDown(key, shift);
    const bool opens = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (opens && (shift & ~Qt::KeypadModifier) == Qt::NoModifier && !pressed_) {
        key = 0;
        Follow();
    }
}

void TProUrlLabel::FontColorChanged() {
    if (!pressed_) {
        if (visited_)
            visitedColor_ = FontColor();
        else
            unvisitedColor_ = FontColor();
    }
    TProLabel::FontColorChanged();
}
