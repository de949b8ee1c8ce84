#ifndef VARNEL_RUNTIME_PANEL_H
#define VARNEL_RUNTIME_PANEL_H

#include "runtime/Control.h"
#include "runtime/ControlTypes.h"

enum TBorderStyle { bsNone, bsSingle };

// The plain bevelled panel: a windowed container in its Color with an outer bevel, a gap of
// BorderWidth pixels, an inner bevel, and a one-line caption standing in the middle.
class TPanel : public TControl {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent);

    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel);
    // Rings per bevel.
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    // The gap between the bevels, which shows the panel's Color.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    // bsSingle puts a sunken edge round the panel, outside the client area in which the
    // children are placed (see PlaceInParent).
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    // Where the caption stands across the face.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

protected:
    void Paint(TCanvas& canvas) override;
    // The edge, the bevels and the gap between them; returns the face they leave inside.
    QRect DrawFrame(TCanvas& canvas) const;
    // The caption, one line high, halfway down `face` and cut at its edges.
    void DrawCaption(TCanvas& canvas, QRect face) const;

private:
    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    TAlignment alignment_ = taCenter;
};

#endif
