#include "controls/Border.h"

#include "runtime/Canvas.h"

TProBorder::TProBorder(QWidget* parent) : TControl(parent) {
    resize(50, 50);
}

void TProBorder::SetBevelOuter(TPanelBevel bevel) {
    if (bevelOuter_ == bevel)
        return;
    bevelOuter_ = bevel;
    update();
}

void TProBorder::SetBevelInner(TPanelBevel bevel) {
    if (bevelInner_ == bevel)
        return;
    bevelInner_ = bevel;
    update();
}

void TProBorder::SetBevelCtl3D(bool ctl3D) {
    if (bevelCtl3D_ == ctl3D)
        return;
    bevelCtl3D_ = ctl3D;
    bevelWidth_ = ctl3D ? 2 : 1;
    update();
}

void TProBorder::SetBevelWidth(int width) {
    if (bevelCtl3D_ || bevelWidth_ == width)
        return;
    bevelWidth_ = width;
    update();
}

void TProBorder::Paint(TCanvas& canvas) {
    DrawBevel(canvas, DrawBevel(canvas, rect(), bevelOuter_), bevelInner_);
}

QRect TProBorder::DrawBevel(TCanvas& canvas, QRect rect, TPanelBevel bevel) const {
    struct Colors {
        TColor c1, c2, c3, c4;
    };
    if (bevel == bvNone)
        return rect;
    const Colors colors =
        bevel == bvLowered ? Colors{clBtnShadow, clBtnHighlight, clBtnText, cl3DLight}
        : bevelCtl3D_      ? Colors{clBtnHighlight, clBtnText, cl3DLight, clBtnShadow}
                           : Colors{clBtnHighlight, clBtnShadow, cl3DLight, clBtnShadow};
    if (!bevelCtl3D_)
        return canvas.DrawBevelRings(rect, bevelWidth_, colors.c1, colors.c2);
    rect = canvas.DrawBevelRings(rect, 1, colors.c1, colors.c2);
    return canvas.DrawBevelRings(rect, 1, colors.c3, colors.c4);
}
