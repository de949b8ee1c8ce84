#ifndef VARNEL_CONTROLS_SHADOWLABEL_H
#define VARNEL_CONTROLS_SHADOWLABEL_H

#include "runtime/CustomLabel.h"

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// A windowless label that draws its caption over a copy of itself shifted by ShadowSize pixels
// towards ShadowPos in ShadowColor; the shadow counts in its auto-size. A disabled label is
// engraved: grey text over a light copy, one pixel down and right even without a shadow.
class TShadowLabel : public TCustomLabel {
    Q_OBJECT
public:
    explicit TShadowLabel(QWidget* parent) : TCustomLabel(parent) {}

    TShadowPosition ShadowPos() const { return shadowPos_; }
    // Moves the shadow without re-sizing the label.
    void SetShadowPos(TShadowPosition position);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color);

protected:
    // One pixel free at the left and the right.
    QRect TextArea() const override { return rect().adjusted(1, 0, -1, 0); }
    QRect TextExtent(const QRect& area, int flags, const QString& text) const override;
    void DrawLabelText(TCanvas& canvas, const QRect& area, int flags) override;

private:
    // Where the shadow lies relative to the text, as drawn.
    QPoint ShadowOffset() const;

    TShadowPosition shadowPos_ = spLeftTop;
    int shadowSize_ = 1;
    TColor shadowColor_ = clBtnHighlight;
};

#endif
