#include "controls/sohoCustomLabel.h"

#include "runtime/Canvas.h"

#include <algorithm>

TsohoCustomLabel::TsohoCustomLabel(QWidget* parent) : TCustomLabel(parent) {}

void TsohoCustomLabel::SetHeight3D(int height) {
    if (height >= 0 && Store(height3D_, height))
        Restyled();
}

QRect TsohoCustomLabel::DrawBevel(TCanvas& canvas, const QRect& rect, TPanelBevel bevel,
                                  bool pressed) const {
    if (bevel == bvNone)
        return rect;
    TColor first = bevel == bvRaised ? highlightColor_ : bottomColor_;
    TColor second = bevel == bvRaised ? bottomColor_ : highlightColor_;
    if (pressed)
        std::swap(first, second);
    return canvas.DrawBevelRings(rect, bevelWidth_, first, second);
}

QRect TsohoCustomLabel::DrawFrame(TCanvas& canvas, bool pressed) const {
    QRect area = rect();
    if (bevel_) {
        area = DrawBevel(canvas, area, bevelOuter_, pressed);
        area = canvas.DrawBevelRings(area, borderWidth_, Color(), Color());
        area = DrawBevel(canvas, area, bevelInner_, pressed);
    }
    if (!Transparent())
        canvas.FillRect(area, Color());
    return area;
}

// As many pixels on each side as DrawFrame's rings take.
int TsohoCustomLabel::FrameWidth() const {
    if (!bevel_)
        return 0;
    const int bevelRings = std::max(bevelWidth_, 0);
    return (bevelOuter_ != bvNone ? bevelRings : 0) + std::max(borderWidth_, 0) +
           (bevelInner_ != bvNone ? bevelRings : 0);
}

TText3DLook TsohoCustomLabel::Look() const {
    return {light_, height3D_, lightColor_, shadowColor_, isEnabled() ? FontColor() : clGray};
}

void TsohoCustomLabel::Paint(TCanvas& canvas) {
    DrawFrame(canvas, false);
    canvas.SetFont(Font());
    DrawLabelText(canvas, LaidOut(TextArea()), TextFlags());
}

QRect TsohoCustomLabel::TextArea() const {
    const int frame = FrameWidth();
    return rect().adjusted(frame, frame, -frame, -frame);
}

QRect TsohoCustomLabel::TextExtent(const QRect& area, int flags, const QString& text) const {
    QImage nothing;
    TCanvas measuring(nothing);
    measuring.SetFont(Font());
    return DrawText3D(measuring, text, area, flags, Look(), true);
}

void TsohoCustomLabel::DrawLabelText(TCanvas& canvas, const QRect& area, int flags) {
    DrawText3D(canvas, Caption(), area, flags, Look());
}
