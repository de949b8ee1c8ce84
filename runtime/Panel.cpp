#include "runtime/Panel.h"

#include "runtime/Canvas.h"

namespace {

// A raised bevel is lit at its left and top, a lowered one at its right and bottom.
QRect DrawBevel(TCanvas& canvas, const QRect& rect, TPanelBevel bevel, int rings) {
    if (bevel == bvNone)
        return rect;
    const bool raised = bevel == bvRaised;
    return canvas.DrawBevelRings(rect, rings, raised ? clBtnHighlight : clBtnShadow,
                                 raised ? clBtnShadow : clBtnHighlight);
}

} // namespace

TPanel::TPanel(QWidget* parent) : TControl(parent, Kind::Windowed) {
    resize(185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
    if (Store(bevelOuter_, bevel))
        update();
}

void TPanel::SetBevelInner(TPanelBevel bevel) {
    if (Store(bevelInner_, bevel))
        update();
}

void TPanel::SetBevelWidth(int width) {
    if (Store(bevelWidth_, width))
        update();
}

void TPanel::SetBorderWidth(int width) {
    if (Store(borderWidth_, width))
        update();
}

void TPanel::SetAlignment(TAlignment alignment) {
    if (Store(alignment_, alignment))
        update();
}

void TPanel::SetBorderStyle(TBorderStyle style) {
    if (!Store(borderStyle_, style))
        return;
    const int edge = style == bsSingle ? 2 : 0;
    setContentsMargins(edge, edge, edge, edge);
    update();
}

void TPanel::Paint(TCanvas& canvas) {
    DrawCaption(canvas, DrawFrame(canvas));
}

QRect TPanel::DrawFrame(TCanvas& canvas) const {
    if (borderStyle_ == bsSingle) {
        const QRect inner = canvas.DrawBevelRings(rect(), 1, clBtnShadow, clBtnHighlight);
        canvas.DrawBevelRings(inner, 1, cl3DDkShadow, cl3DLight);
    }
    QRect face = DrawBevel(canvas, contentsRect(), bevelOuter_, bevelWidth_);
    // The gap keeps whatever the face starts as, which for a windowed control is its Color.
    face.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    return DrawBevel(canvas, face, bevelInner_, bevelWidth_);
}

void TPanel::DrawCaption(TCanvas& canvas, QRect face) const {
    if (Caption().isEmpty())
        return;
    canvas.SetFont(Font());
    constexpr int flags = Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic;
    const int textHeight = canvas.TextRect({}, flags, QStringLiteral("W")).height();
    const int top = (face.top() + face.bottom() + 1 - textHeight) / 2;
    face.setTop(top);
    face.setHeight(textHeight);
    canvas.SetFontColor(FontColor());
    canvas.DrawText(face, flags | HorizontalAlignment(alignment_), Caption());
}
