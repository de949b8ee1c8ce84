#include "controls/UrlLabel.h"

#include "runtime/Shell.h"

TProUrlLabel::TProUrlLabel(QWidget* parent) : TProLabel(parent) {
    setCursor(TCursors::Get(cursor_));
    SetFontColor(clBlue);
    QFont underlined;
    underlined.setUnderline(true);
    SetFont(underlined);
}

void TProUrlLabel::SetCursor(int cursor) {
    if (cursor_ == cursor)
        return;
    cursor_ = cursor;
    setCursor(TCursors::Get(cursor));
}

void TProUrlLabel::SetUnvisitedColor(TColor color) {
    unvisitedColor_ = color;
    if (!visited_ && !pressed_)
        SetFontColor(color);
}

void TProUrlLabel::SetVisitedColor(TColor color) {
    visitedColor_ = color;
    if (visited_ && !pressed_)
        SetFontColor(color);
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
    if (follow)
        visited_ = true;
    SetFontColor(StateColor());
    pressed_ = false;
    if (follow)
        TShell::Open(url_.isEmpty() ? Caption() : url_);
}

void TProUrlLabel::FontChanged() {
    if (!pressed_) {
        if (visited_)
            visitedColor_ = FontColor();
        else
            unvisitedColor_ = FontColor();
    }
    TProLabel::FontChanged();
}
