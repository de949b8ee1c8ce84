#include "controls/ProCustomLabel.h"

#include "runtime/Canvas.h"

#include <QFontMetrics>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// The largest shadow distance and copy count; beyond it the copies would only cost time.
constexpr int MaxShadowExtent = 1280;

QPoint Step(TDirection direction) {
    static constexpr std::array<QPoint, 9> steps = {QPoint(0, 0),  QPoint(0, -1), QPoint(0, 1),
                                                    QPoint(-1, 0), QPoint(1, 0),  QPoint(-1, -1),
                                                    QPoint(1, -1), QPoint(-1, 1), QPoint(1, 1)};
    return steps[direction];
}

struct TShadowPreset {
    TDirection highlightDirection;
    int highlightDepth;
    TDirection shadowDirection;
    int shadowDepth;
    int shadowSize;
    bool faceColoredText;
};

// By TShadowStyle; the ssCustom row is never applied.
constexpr std::array<TShadowPreset, 11> Presets = {{
    {drNone, 0, drNone, 0, 0, false},        // ssNone
    {drNone, 0, drNone, 0, 0, false},        // ssCustom
    {drUpLeft, 1, drNone, 0, 0, false},      // ssRaised
    {drUpLeft, 1, drDownRight, 1, 1, true},  // ssRaisedColor
    {drUpLeft, 1, drDownRight, 1, 1, false}, // ssRaisedShadow
    {drUpLeft, 1, drDownRight, 1, 4, false}, // ssRaisedThickShadow
    {drDownRight, 1, drNone, 0, 0, false},   // ssRecessed
    {drDownRight, 1, drUpLeft, 1, 1, true},  // ssRecessedColor
    {drDownRight, 1, drUpLeft, 1, 1, false}, // ssRecessedShadow
    {drNone, 0, drDownRight, 2, 1, false},   // ssShadow
    {drNone, 0, drDownRight, 1, 4, false},   // ssThickShadow
}};

} // namespace

TProCustomLabel::TProCustomLabel(QWidget* parent) : TCustomLabel(parent) {}

void TProCustomLabel::SetAngle(int angle) {
    angle %= 360;
    if (angle < 0)
        angle += 360;
    if (!Store(angle_, angle))
        return;
    const double radians = angle * std::numbers::pi / 180.0;
    cos_ = std::cos(radians);
    sin_ = std::sin(radians);
    if (angle_ != 0)
        SetAutoSize(false);
    update();
}

void TProCustomLabel::SetOffsetX(int offset) {
    if (Store(offsetX_, offset))
        OffsetChanged(offset);
}

void TProCustomLabel::SetOffsetY(int offset) {
    if (Store(offsetY_, offset))
        OffsetChanged(offset);
}

// A shift to the right or down would be cut off by auto-size; one to the left or up is not.
void TProCustomLabel::OffsetChanged(int offset) {
    if (offset > 0)
        SetAutoSize(false);
    update();
}

void TProCustomLabel::CopySettingChanged() {
    if (!applyingPreset_)
        shadowStyle_ = ssCustom;
    update();
}

void TProCustomLabel::SetHighlightDirection(TDirection direction) {
    if (Store(highlightDirection_, direction))
        CopySettingChanged();
}

void TProCustomLabel::SetHighlightDepth(int depth) {
    if (Store(highlightDepth_, depth))
        CopySettingChanged();
}

void TProCustomLabel::SetHighlightColor(TColor color) {
    if (Store(highlightColor_, color))
        CopySettingChanged();
}

void TProCustomLabel::SetShadowDirection(TDirection direction) {
    if (Store(shadowDirection_, direction))
        CopySettingChanged();
}

void TProCustomLabel::SetShadowDepth(int depth) {
    if (Store(shadowDepth_, std::clamp(depth, 0, MaxShadowExtent)))
        CopySettingChanged();
}

void TProCustomLabel::SetShadowSize(int size) {
    if (Store(shadowSize_, std::clamp(size, 0, MaxShadowExtent)))
        CopySettingChanged();
}

void TProCustomLabel::SetShadowColor(TColor color) {
    if (Store(shadowColor_, color))
        CopySettingChanged();
}

void TProCustomLabel::SetShadowStyle(TShadowStyle style) {
    if (!Store(shadowStyle_, style) || style == ssCustom)
        return;
    const TShadowPreset& preset = Presets[style];
    applyingPreset_ = true;
    SetHighlightDirection(preset.highlightDirection);
    SetHighlightDepth(preset.highlightDepth);
    SetHighlightColor(clBtnHighlight);
    SetShadowDirection(preset.shadowDirection);
    SetShadowDepth(preset.shadowDepth);
    SetShadowSize(preset.shadowSize);
    SetShadowColor(clBtnShadow);
    if (preset.faceColoredText)
        SetFontColor(clBtnFace);
    applyingPreset_ = false;
    update();
}

// Level text stands where the vertical alignment puts it; a caption taller than the label moves
// up by the same rule, so that at the bottom its last line ends at the label's bottom edge.
QRect TProCustomLabel::CaptionPlace() const {
    if (angle_ != 0)
        return TurnedCaptionPlace();
    QRect place = rect();
    if (VerticalAlignment() != vaTop) {
        const int height = TextExtent(place, TextFlags(), Caption()).height();
        const int spare = place.height() - height;
        place.setHeight(height);
        place.translate(0, VerticalAlignment() == vaBottom ? spare : spare / 2);
    }
    if (const int above = MarksAboveAscent(); place.top() >= 0 && place.top() < above)
        place.moveTop(above);
    return place;
}

// At small sizes a mark above a capital (the dot of İ) stands above the font's ascent, outside
// the line's box: text starting at the label's top edge would lose it.
int TProCustomLabel::MarksAboveAscent() const {
    const QFontMetrics metrics(Font());
    return std::max(0, -metrics.boundingRect(Caption()).top() - metrics.ascent());
}

// The turned text's box, aligned within the label, and the corner of the box the text starts
// from, which depends on the quarter the angle lies in.
QRect TProCustomLabel::TurnedCaptionPlace() const {
    const QFontMetrics metrics(Font());
    const int w = metrics.horizontalAdvance(Caption());
    const int h = metrics.height();
    const int a = static_cast<int>(w * cos_);
    const int b = static_cast<int>(w * sin_);
    const int c = static_cast<int>(h * cos_);
    const int d = static_cast<int>(h * sin_);
    QSize box;
    switch (angle_ / 90) {
    case 0:
        box = QSize(a + d, b + c);
        break;
    case 1:
        box = QSize(d - a, b - c);
        break;
    case 2:
        box = QSize(-a - d, -b - c);
        break;
    default:
        box = QSize(a - d, c - b);
        break;
    }
    box = box.boundedTo(size());
    const std::array<QPoint, 4> origins = {QPoint(0, b), QPoint(-a, box.height()),
                                           QPoint(box.width(), -c), QPoint(-d, 0)};
    return QRect(AlignedCorner(box) + origins[angle_ / 90], box);
}

QPoint TProCustomLabel::AlignedCorner(const QSize& box) const {
    QPoint corner;
    if (Alignment() == taCenter)
        corner.rx() = (width() - box.width()) / 2;
    else if (Alignment() == taRightJustify)
        corner.rx() = width() - box.width();
    if (VerticalAlignment() == vaCenter)
        corner.ry() = (height() - box.height()) / 2;
    else if (VerticalAlignment() == vaBottom)
        corner.ry() = height() - box.height();
    return corner;
}

void TProCustomLabel::DrawCaption(TCanvas& canvas, const QRect& place, TColor color) const {
    canvas.SetFontColor(color);
    if (angle_ != 0)
        canvas.RotatedTextOut(place.topLeft(), angle_, Caption());
    else
        canvas.DrawText(place, TextFlags(), Caption());
}

// The shadow copies from the nearest outwards, then the highlight copy over them.
void TProCustomLabel::DrawCopies(TCanvas& canvas, const QRect& place) const {
    const QPoint shadowStep = Step(shadowDirection_);
    QRect copy = place.translated(shadowStep * shadowDepth_);
    for (int i = 0; i < shadowSize_; ++i) {
        DrawCaption(canvas, copy, shadowColor_);
        copy.translate(shadowStep);
    }
    DrawCaption(canvas, place.translated(Step(highlightDirection_) * highlightDepth_),
                highlightColor_);
}

void TProCustomLabel::Paint(TCanvas& canvas) {
    if (!Transparent())
        canvas.FillRect(rect(), Color());
    canvas.SetFont(Font());
    const QRect place = CaptionPlace().translated(offsetX_, offsetY_);
    if (!isEnabled()) {
        DrawCaption(canvas, place.translated(1, 1), clBtnHighlight);
        DrawCaption(canvas, place, clBtnShadow);
        return;
    }
    if (shadowStyle_ != ssNone)
        DrawCopies(canvas, place);
    DrawCaption(canvas, place, FontColor());
}
