#ifndef VARNEL_CONTROLS_SOHOCUSTOMLABEL_H
#define VARNEL_CONTROLS_SOHOCUSTOMLABEL_H

#include "controls/Text3D.h"
#include "runtime/CustomLabel.h"

// A label with a frame and a 3-D caption: an outer bevel, BorderWidth plain rings in Color and
// an inner bevel (none of them without Bevel), an opaque label filled with Color inside them,
// and the caption drawn with a lit copy towards Light and a shaded copy away from it, Height3D
// pixels each. Disabled, the caption turns grey and keeps its copies.
class TsohoCustomLabel : public TCustomLabel {
    Q_OBJECT
public:
    bool Bevel() const { return bevel_; }
    void SetBevel(bool bevel) {
        if (Store(bevel_, bevel))
            Restyled();
    }
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel) {
        if (Store(bevelOuter_, bevel))
            Restyled();
    }
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel) {
        if (Store(bevelInner_, bevel))
            Restyled();
    }
    // Rings per bevel.
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width) {
        if (Store(bevelWidth_, width))
            Restyled();
    }
    // Plain rings in Color between the outer and the inner bevel.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width) {
        if (Store(borderWidth_, width))
            Restyled();
    }
    // The lit and the shaded edges of a raised bevel (a lowered one swaps them).
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor color) {
        if (Store(highlightColor_, color))
            Restyled();
    }
    TColor BottomColor() const { return bottomColor_; }
    void SetBottomColor(TColor color) {
        if (Store(bottomColor_, color))
            Restyled();
    }
    TLightPos Light() const { return light_; }
    void SetLight(TLightPos light) {
        if (Store(light_, light))
            Restyled();
    }
    // How far the lit and the shaded copy stand off the caption; a negative depth is refused.
    int Height3D() const { return height3D_; }
    void SetHeight3D(int height);
    TColor LightColor() const { return lightColor_; }
    void SetLightColor(TColor color) {
        if (Store(lightColor_, color))
            Restyled();
    }
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color) {
        if (Store(shadowColor_, color))
            Restyled();
    }

protected:
    explicit TsohoCustomLabel(QWidget* parent);

    // Draws the frame (its bevels reversed while `pressed`) and fills inside it when opaque;
    // returns the content area inside the frame.
    QRect DrawFrame(TCanvas& canvas, bool pressed) const;
    // The caption's look: its copies as set, in the font colour, or grey while disabled.
    TText3DLook Look() const;

    void Paint(TCanvas& canvas) override;
    QRect TextArea() const override;
    QRect TextExtent(const QRect& area, int flags, const QString& text) const override;
    void DrawLabelText(TCanvas& canvas, const QRect& area, int flags) override;

private:
    // A change of look may change the size the caption needs, too.
    void Restyled() {
        AdjustBounds();
        update();
    }
    QRect DrawBevel(TCanvas& canvas, const QRect& rect, TPanelBevel bevel, bool pressed) const;
    int FrameWidth() const;

    bool bevel_ = true;
    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TColor highlightColor_ = clBtnHighlight;
    TColor bottomColor_ = clBlack;
    TLightPos light_ = lpLeftTop;
    int height3D_ = 1;
    TColor lightColor_ = clWhite;
    TColor shadowColor_ = clGray;
};

#endif
