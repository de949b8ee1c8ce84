#ifndef VARNEL_CONTROLS_BORDER_H
#define VARNEL_CONTROLS_BORDER_H

#include "runtime/Control.h"
#include "runtime/ControlTypes.h"

// A windowless bevel frame that draws its rings and nothing inside them. Lying under the
// picture it surrounds, it sees the mouse leave (OnMouseLeave) both when the pointer goes off
// its rectangle and when it passes onto that picture.
class TProBorder : public TControl {
    Q_OBJECT
public:
    explicit TProBorder(QWidget* parent);

    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel);
    // Each bevel as two rings in the four system 3-D colours; switching it on makes BevelWidth
    // 2, off makes it 1.
    bool BevelCtl3D() const { return bevelCtl3D_; }
    void SetBevelCtl3D(bool ctl3D);
    // Rings per bevel; ignored while BevelCtl3D is on.
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);

protected:
    void Paint(TCanvas& canvas) override;

private:
    QRect DrawBevel(TCanvas& canvas, QRect rect, TPanelBevel bevel) const;

    TPanelBevel bevelOuter_ = bvLowered;
    TPanelBevel bevelInner_ = bvNone;
    bool bevelCtl3D_ = false;
    int bevelWidth_ = 1;
};

#endif
