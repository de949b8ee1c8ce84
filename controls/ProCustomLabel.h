#ifndef VARNEL_CONTROLS_PROCUSTOMLABEL_H
#define VARNEL_CONTROLS_PROCUSTOMLABEL_H

#include "runtime/CustomLabel.h"

#include <QPoint>

// Where a copy of the caption lies from the caption, one step of a pixel at a time.
enum TDirection {
    drNone,
    drUp,
    drDown,
    drLeft,
    drRight,
    drUpLeft,
    drUpRight,
    drDownLeft,
    drDownRight
};

// Ready-made sets of the highlight and shadow settings; ssCustom is whatever they were set to.
enum TShadowStyle {
    ssNone,
    ssCustom,
    ssRaised,
    ssRaisedColor,
    ssRaisedShadow,
    ssRaisedThickShadow,
    ssRecessed,
    ssRecessedColor,
    ssRecessedShadow,
    ssShadow,
    ssThickShadow
};

// The label with extras: the caption turned by Angle (its box then aligned in the label),
// shifted by OffsetX / OffsetY, and drawn over a highlight copy and a row of shadow copies.
// A disabled label is engraved whatever its copies. VerticalAlignment is the base's Layout.
class TProCustomLabel : public TCustomLabel {
    Q_OBJECT
public:
    // Counter-clockwise degrees, kept in 0..359. Turned text does not auto-size.
    int Angle() const { return angle_; }
    void SetAngle(int angle);
    int OffsetX() const { return offsetX_; }
    // A shift to the right or down switches auto-size off.
    void SetOffsetX(int offset);
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int offset);
    TVerticalAlignment VerticalAlignment() const {
        return static_cast<TVerticalAlignment>(Layout());
    }
    void SetVerticalAlignment(TVerticalAlignment alignment) {
        SetLayout(static_cast<TTextLayout>(alignment));
    }

    TShadowStyle ShadowStyle() const { return shadowStyle_; }
    // Applies the style's set of the settings below (ssCustom applies nothing).
    void SetShadowStyle(TShadowStyle style);
    // Each setting below, changed by hand, makes the style ssCustom.
    TDirection HighlightDirection() const { return highlightDirection_; }
    void SetHighlightDirection(TDirection direction);
    int HighlightDepth() const { return highlightDepth_; }
    void SetHighlightDepth(int depth);
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor color);
    TDirection ShadowDirection() const { return shadowDirection_; }
    void SetShadowDirection(TDirection direction);
    // The first shadow copy's distance, 0..1280.
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int depth);
    // How many shadow copies, each one pixel further, 0..1280.
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color);

protected:
    explicit TProCustomLabel(QWidget* parent);

    void Paint(TCanvas& canvas) override;

private:
    // Where the caption is drawn before the offsets: the text's box for level text, the turned
    // text's origin (its top-left corner before turning) for turned text.
    QRect CaptionPlace() const;
    QRect TurnedCaptionPlace() const;
    int MarksAboveAscent() const;
    // Where a box of that size stands in the label by the two alignments.
    QPoint AlignedCorner(const QSize& box) const;
    void DrawCaption(TCanvas& canvas, const QRect& place, TColor color) const;
    void DrawCopies(TCanvas& canvas, const QRect& place) const;
    // A highlight or shadow setting changed: the style is then custom, unless a preset is
    // being applied.
    void CopySettingChanged();
    void OffsetChanged(int offset);

    int angle_ = 0;
    double cos_ = 1.0;
    double sin_ = 0.0;
    int offsetX_ = 0;
    int offsetY_ = 0;
    TShadowStyle shadowStyle_ = ssNone;
    TDirection highlightDirection_ = drNone;
    int highlightDepth_ = 0;
    TColor highlightColor_ = clBtnHighlight;
    TDirection shadowDirection_ = drNone;
    int shadowDepth_ = 0;
    int shadowSize_ = 0;
    TColor shadowColor_ = clBtnShadow;
    bool applyingPreset_ = false;
};

#endif
