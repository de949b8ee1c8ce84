#include "controls/UrlLabel.h"

#include "runtime/Canvas.h"
#include "runtime/Shell.h"

#include <QFontMetrics>

TProUrlLabel::TProUrlLabel(QWidget* parent) : TControl(parent) {
    resize(65, 17);
    setCursor(Qt::PointingHandCursor);
    SetFontColor(clBlue);
    QFont underlined;
    underlined.setUnderline(true);
    SetFont(underlined);
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

void TProUrlLabel::SetAlignment(TAlignment alignment) {
    if (alignment_ == alignment)
        return;
    alignment_ = alignment;
    update();
}

void TProUrlLabel::SetAutoSize(bool autoSize) {
    if (autoSize_ == autoSize)
        return;
    autoSize_ = autoSize;
    AdjustBounds();
}

void TProUrlLabel::SetTransparent(bool transparent) {
    if (transparent_ == transparent)
        return;
    transparent_ = transparent;
    update();
}

int TProUrlLabel::TextFlags() const {
    return HorizontalAlignment(alignment_) | Qt::AlignTop | Qt::TextExpandTabs |
           Qt::TextShowMnemonic;
}

void TProUrlLabel::Paint(TCanvas& canvas) {
    if (!transparent_)
        canvas.FillRect(rect(), Color());
    canvas.SetFont(Font());
    canvas.SetFontColor(FontColor());
    canvas.DrawText(rect(), TextFlags(), Caption());
}

void TProUrlLabel::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    TControl::MouseDown(button, shift, x, y);
    pressed_ = true;
    SetFontColor(activatedColor_);
}

// While held, the link shows whether letting go here would follow it.
void TProUrlLabel::MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
    TControl::MouseMove(shift, x, y);
    if (pressed_)
        SetFontColor(Inside(x, y) ? activatedColor_ : StateColor());
}

void TProUrlLabel::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    TControl::MouseUp(button, shift, x, y);
    const bool follow = pressed_ && Inside(x, y);
    if (follow)
        visited_ = true;
    SetFontColor(StateColor());
    pressed_ = false;
    if (follow)
        TShell::Open(url_.isEmpty() ? Caption() : url_);
}

void TProUrlLabel::CaptionChanged() {
    AdjustBounds();
    update();
}

void TProUrlLabel::FontChanged() {
    if (!pressed_) {
        if (visited_)
            visitedColor_ = FontColor();
        else
            unvisitedColor_ = FontColor();
    }
    AdjustBounds();
    update();
}

void TProUrlLabel::AdjustBounds() {
    if (!autoSize_)
        return;
    const QString text = Caption().isEmpty() ? QStringLiteral(" ") : Caption();
    const QSize size = QFontMetrics(Font()).size(TextFlags(), text);
    const int left = alignment_ == taRightJustify ? x() + width() - size.width() : x();
    setGeometry(left, y(), size.width(), size.height());
}
