#include "controls/ProBorder.h"

#include "runtime/Canvas.h"

TProBorder::TProBorder(QWidget* parent) : TControl(parent) {
    resize(50, 50);
}

void TProBorder::SetBevelCtl3D(bool ctl3D) {
    if (!Store(bevelCtl3D_, ctl3D))
        return;
    bevelWidth_ = ctl3D ? 2 : 1;
    update();
}

void TProBorder::SetBevelWidth(int width) {
    if (!bevelCtl3D_ && Store(bevelWidth_, width))
        update();
}

void TProBorder::Paint(TCanvas& canvas) {
    QRect rect = DrawBevel(canvas, this->rect(), bevelOuter_);
    rect = canvas.DrawBevelRings(rect, borderWidth_, borderColor_, borderColor_, Edges());
    DrawBevel(canvas, rect, bevelInner_);
}

Qt::Edges TProBorder::Edges() const {
    Qt::Edges edges;
    edges.setFlag(Qt::LeftEdge, bevelSides_ & sdLeft);
    edges.setFlag(Qt::TopEdge, bevelSides_ & sdTop);
    edges.setFlag(Qt::RightEdge, bevelSides_ & sdRight);
    edges.setFlag(Qt::BottomEdge, bevelSides_ & sdBottom);
    return edges;
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
        return canvas.DrawBevelRings(rect, bevelWidth_, colors.c1, colors.c2, Edges());
    rect = canvas.DrawBevelRings(rect, 1, colors.c1, colors.c2, Edges());
    return canvas.DrawBevelRings(rect, 1, colors.c3, colors.c4, Edges());
}
