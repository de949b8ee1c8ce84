#ifndef VARNEL_CONTROLS_PROBORDER_H
#define VARNEL_CONTROLS_PROBORDER_H

#include "runtime/Control.h"
#include "runtime/ControlTypes.h"

// The sides of a frame, as a set.
enum TSide : unsigned { sdLeft = 1, sdTop = 2, sdRight = 4, sdBottom = 8 };
using TSides = unsigned;
inline constexpr TSides AllSides = sdLeft | sdTop | sdRight | sdBottom;

// A windowless bevel frame that draws its rings and nothing inside them: an outer bevel, plain
// rings in BorderColor, an inner bevel, each only on BevelSides. Lying under the picture it
// surrounds, it sees the mouse leave (OnMouseLeave) both when the pointer goes off its
// rectangle and when it passes onto that picture.
class TProBorder : public TControl {
    Q_OBJECT
public:
    explicit TProBorder(QWidget* parent);

    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel) {
        if (Store(bevelOuter_, bevel))
            update();
    }
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel) {
        if (Store(bevelInner_, bevel))
            update();
    }
    // Each bevel as two rings in the four system 3-D colours; switching it on makes BevelWidth
    // 2, off makes it 1.
    bool BevelCtl3D() const { return bevelCtl3D_; }
    void SetBevelCtl3D(bool ctl3D);
    // Rings per bevel; ignored while BevelCtl3D is on.
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    // The sides drawn; the others are neither drawn nor narrowed.
    TSides BevelSides() const { return bevelSides_; }
    void SetBevelSides(TSides sides) {
        if (Store(bevelSides_, sides))
            update();
    }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor color) {
        if (Store(borderColor_, color))
            update();
    }
    // Plain rings between the bevels.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width) {
        if (Store(borderWidth_, width))
            update();
    }

protected:
    void Paint(TCanvas& canvas) override;

private:
    QRect DrawBevel(TCanvas& canvas, QRect rect, TPanelBevel bevel) const;
    Qt::Edges Edges() const;

    TPanelBevel bevelOuter_ = bvLowered;
    TPanelBevel bevelInner_ = bvNone;
    bool bevelCtl3D_ = false;
    int bevelWidth_ = 1;
    TSides bevelSides_ = AllSides;
    TColor borderColor_ = clBtnFace;
    int borderWidth_ = 0;
};

#endif
