#ifndef VARNEL_CONTROLS_PANEL_H
#define VARNEL_CONTROLS_PANEL_H

#include "runtime/Bitmap.h"
#include "runtime/Control.h"
#include "runtime/ControlTypes.h"

enum TBorderStyle { bsNone, bsSingle };

// A windowed container whose face is a picture laid as tiles inside its bevel, the picture's
// top-left corner at the bevel's inner corner, never scaled.
class TsohoPanel : public TControl {
    Q_OBJECT
public:
    explicit TsohoPanel(QWidget* parent);

    const TBitmap& BackImage() const { return backImage_; }
    // Copies the picture; none brings back the built-in "DEFAULTPANEL".
    void SetBackImage(const TBitmap* picture);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    // bsSingle puts a sunken edge round the panel, outside the client area in which the
    // children are placed (see PlaceInParent).
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

protected:
    void Paint(TCanvas& canvas) override;

private:
    TBitmap backImage_;
    QImage tile_; // the picture in the buffer's format, converted once
    TPanelBevel bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    TBorderStyle borderStyle_ = bsNone;
};

#endif
