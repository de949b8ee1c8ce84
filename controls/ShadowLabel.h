#ifndef VARNEL_CONTROLS_SHADOWLABEL_H
#define VARNEL_CONTROLS_SHADOWLABEL_H

#include "runtime/Control.h"

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// A windowless label that draws its caption over a copy of itself shifted by ShadowSize pixels
// towards ShadowPos in ShadowColor, and with AutoSize takes the size its text and shadow need.
class TShadowLabel : public TControl {
    Q_OBJECT
public:
    explicit TShadowLabel(QWidget* parent);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    // A transparent label fills nothing: the parent shows between the letters.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TShadowPosition ShadowPos() const { return shadowPos_; }
    // Moves the shadow without re-sizing the label.
    void SetShadowPos(TShadowPosition position);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color);

protected:
    void Paint(TCanvas& canvas) override;
    void CaptionChanged() override;
    void FontChanged() override;

private:
    // The caption as it is measured: an empty one still takes one line.
    QString MeasuredText() const;
    // Where the shadow lies relative to the text, as drawn (a disabled label is engraved).
    QPoint ShadowOffset() const;
    void AdjustBounds();

    bool autoSize_ = true;
    bool transparent_ = false;
    TShadowPosition shadowPos_ = spLeftTop;
    int shadowSize_ = 1;
    TColor shadowColor_ = clBtnHighlight;
};

#endif
