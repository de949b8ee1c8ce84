#include "controls/ShadowLabel.h"

#include "runtime/Canvas.h"

void TShadowLabel::SetShadowPos(TShadowPosition position) {
    if (shadowPos_ == position)
        return;
    shadowPos_ = position;
    update();
}

void TShadowLabel::SetShadowSize(int size) {
    if (shadowSize_ == size)
        return;
    shadowSize_ = size;
    AdjustBounds();
    update();
}

void TShadowLabel::SetShadowColor(TColor color) {
    if (shadowColor_ == color)
        return;
    shadowColor_ = color;
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
