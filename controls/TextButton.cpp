#include "controls/TextButton.h"

#include "runtime/Canvas.h"

#include <QFontMetrics>

namespace {

constexpr TColor highlightColor = clBtnHighlight;
constexpr TColor bottomColor = clBlack;
constexpr TColor lightColor = clWhite;
constexpr TColor shadowColor = clGray;
// How far the lit and the shaded copy of the caption stand off the caption.
constexpr int captionDepth = 1;

} // namespace

TsohoTextButton::TsohoTextButton(QWidget* parent) : TCustomLabel(parent) {
    SetAutoSize(false);
    SetTransparent(true);
    resize(75, 24);
    setCursor(Qt::PointingHandCursor);
}

void TsohoTextButton::Paint(TCanvas& canvas) {
    const auto [first, second] =
        pressed_ ? std::pair(bottomColor, highlightColor) : std::pair(highlightColor, bottomColor);
    QRect content = canvas.DrawBevelRings(rect(), 1, first, second);
    if (pressed_)
        content.translate(1, 1);

    // The caption stands centred, then one pixel right for the gap a glyph would leave and
    // the depth of its 3-D copies; the copies are lit from the left and top, or from the
    // opposite side while pressed.
    canvas.SetFont(Font());
    constexpr int flags =
        Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic | Qt::TextDontClip;
    // The caption alone, without the copies a label look may add, and one text line high.
    const QSize size(TCustomLabel::TextExtent({}, flags, Caption()).width(),
                     QFontMetrics(Font()).height());
    const QRect text(
        QPoint(content.left() + (content.width() - size.width()) / 2 + 1 + captionDepth,
               content.top() + (content.height() - size.height()) / 2),
        size);
    const int toLight = pressed_ ? captionDepth : -captionDepth;
    canvas.SetFontColor(lightColor);
    canvas.DrawText(text.translated(toLight, toLight), flags, Caption());
    canvas.SetFontColor(shadowColor);
    canvas.DrawText(text.translated(-toLight, -toLight), flags, Caption());
    canvas.SetFontColor(isEnabled() ? FontColor() : clGray);
    canvas.DrawText(text, flags, Caption());
}

void TsohoTextButton::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    SetPressed(true);
    TCustomLabel::MouseDown(button, shift, x, y);
}

void TsohoTextButton::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    SetPressed(false);
    TCustomLabel::MouseUp(button, shift, x, y);
}

// A button disabled while held would never see its release.
void TsohoTextButton::EnabledChanged() {
    if (!isEnabled())
        pressed_ = false;
    update();
}

void TsohoTextButton::SetPressed(bool pressed) {
    if (pressed_ == pressed)
        return;
    pressed_ = pressed;
    update();
}
