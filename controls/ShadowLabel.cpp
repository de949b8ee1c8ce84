#include "controls/ShadowLabel.h"

#include "runtime/Canvas.h"

#include <QApplication>

namespace {

bool InForeground() {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

} // namespace

TShadowLabel::TShadowLabel(QWidget* parent) : TCustomLabel(parent) {
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(application, &QApplication::focusChanged, this,
                [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

void TShadowLabel::SetShadowPos(TShadowPosition position) {
    if (Store(shadowPos_, position))
        update();
}

void TShadowLabel::SetShadowSize(int size) {
    if (!Store(shadowSize_, size))
        return;
    AdjustBounds();
    update();
}

void TShadowLabel::SetShadowColor(TColor color) {
    if (Store(shadowColor_, color))
        update();
}

void TShadowLabel::SetShowFocus(bool show) {
    if (Store(showFocus_, show))
        update();
}

QPoint TShadowLabel::ShadowOffset() const {
    TShadowPosition position = shadowPos_;
    int size = shadowSize_;
    if (!isEnabled() && size == 0) {
        position = spRightBottom;
        size = 1;
    }
    switch (position) {
    case spLeftTop:
        return {-size, -size};
    case spLeftBottom:
        return {-size, size};
    case spRightBottom:
        return {size, size};
    case spRightTop:
        break;
    }
    return {size, -size};
}

// Text and shadow together; only their right and bottom edges size the label, which grows to
// the right and downwards from where it stands.
QRect TShadowLabel::TextExtent(const QRect& area, int flags, const QString& text) const {
    const QRect extent = TCustomLabel::TextExtent(area, flags, text);
    return extent.united(extent.translated(ShadowOffset()));
}

void TShadowLabel::DrawLabelText(TCanvas& canvas, const QRect& area, int flags) {
    canvas.SetFontColor(isEnabled() ? ColorToRGB(shadowColor_) : ColorToRGB(clBtnHighlight));
    canvas.DrawText(area.translated(ShadowOffset()), flags, Caption());
    canvas.SetFontColor(isEnabled() ? FontColor() : clGrayText);
    canvas.DrawText(area, flags, Caption());
}

QRect TShadowLabel::LaidOut(QRect area) const {
    if (Layout() == tlTop)
        return area;
    const QRect extent = TextExtent(area, TextFlags(), MeasuredText());
    const int spare = height() - (extent.y() + extent.height());
    return QRect(0, extent.y(), width(), extent.height())
        .translated(0, Layout() == tlBottom ? spare : spare / 2);
}

void TShadowLabel::Paint(TCanvas& canvas) {
    TCustomLabel::Paint(canvas);
    if (!showFocus_ || !focused_)
        return;
    const QRect text = LaidOut(TextArea());
    canvas.SetBrushColor(Color());
    canvas.DrawFocusRect(text.united(text.translated(ShadowOffset())).adjusted(-1, 0, 1, 0));
}

void TShadowLabel::FocusChanged(QWidget* now) {
    const bool focused = FocusControl() && FocusControl() == now;
    if (Store(focused_, focused) && showFocus_)
        update();
}

void TShadowLabel::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    if (button == Qt::RightButton)
        RecheckMouse();
    TCustomLabel::MouseDown(button, shift, x, y);
}

void TShadowLabel::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    TCustomLabel::MouseUp(button, shift, x, y);
    RecheckMouse();
}

void TShadowLabel::MouseEnter() {
    if (!mouseInside_ && isEnabled() && InForeground())
        SetMouseInside(true);
}

// While a button pressed on the label is held, Qt keeps the leave back until its release.
void TShadowLabel::MouseLeave() {
    if (mouseInside_ && isEnabled())
        SetMouseInside(false);
}

void TShadowLabel::EnabledChanged() {
    RecheckMouse();
    TCustomLabel::EnabledChanged();
}

void TShadowLabel::showEvent(QShowEvent* event) {
    TCustomLabel::showEvent(event);
    RecheckMouse();
}

void TShadowLabel::RecheckMouse() {
    const bool inside = isEnabled() && underMouse() && InForeground();
    if (inside != mouseInside_)
        SetMouseInside(inside);
}

void TShadowLabel::SetMouseInside(bool inside) {
    mouseInside_ = inside;
    if (inside)
        TCustomLabel::MouseEnter();
    else
        TCustomLabel::MouseLeave();
}
