#include "controls/ShadowLabel.h"

#include "runtime/Canvas.h"

#include <QFontMetrics>

namespace {

constexpr int textFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic;

// The text area leaves one pixel free at the left and the right.
QRect TextArea(const QWidget& label) {
    return QRect(1, 0, label.width() - 2, label.height());
}

} // namespace

TShadowLabel::TShadowLabel(QWidget* parent) : TControl(parent) {
    resize(65, 17);
}

void TShadowLabel::SetAutoSize(bool autoSize) {
    if (autoSize_ == autoSize)
        return;
    autoSize_ = autoSize;
    AdjustBounds();
}

void TShadowLabel::SetTransparent(bool transparent) {
    if (transparent_ == transparent)
        return;
    transparent_ = transparent;
    update();
}

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

void TShadowLabel::CaptionChanged() {
    AdjustBounds();
    update();
}

void TShadowLabel::FontChanged() {
    AdjustBounds();
    update();
}

QString TShadowLabel::MeasuredText() const {
    if (Caption().isEmpty() || Caption() == QStringLiteral("&"))
        return Caption() + u' ';
    return Caption();
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

void TShadowLabel::Paint(TCanvas& canvas) {
    if (!transparent_)
        canvas.FillRect(rect(), Color());
    const QRect area = TextArea(*this);
    canvas.SetFont(Font());
    canvas.SetFontColor(isEnabled() ? ColorToRGB(shadowColor_) : ColorToRGB(clBtnHighlight));
    canvas.DrawText(area.translated(ShadowOffset()), textFlags, Caption());
    canvas.SetFontColor(isEnabled() ? FontColor() : clGrayText);
    canvas.DrawText(area, textFlags, Caption());
}

// Only the right and bottom edges of text and shadow count: the label grows to the right and
// downwards from where it stands.
void TShadowLabel::AdjustBounds() {
    if (!autoSize_)
        return;
    const QRect text =
        QFontMetrics(Font()).boundingRect(TextArea(*this), textFlags, MeasuredText());
    const QRect both = text.united(text.translated(ShadowOffset()));
    resize(both.x() + both.width() + 1, both.y() + both.height());
}
