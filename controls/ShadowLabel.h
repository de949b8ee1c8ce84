#ifndef VARNEL_CONTROLS_SHADOWLABEL_H
#define VARNEL_CONTROLS_SHADOWLABEL_H

#include "runtime/CustomLabel.h"

enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// A windowless label that draws its caption over a copy of itself shifted by ShadowSize pixels
// towards ShadowPos in ShadowColor; the shadow counts in its auto-size, which keeps one pixel
// free at the left and the right. A disabled label is engraved: grey text over a light copy,
// one pixel down and right even without a shadow. With ShowFocus it draws a dotted outline
// while its FocusControl has the focus. It reports the mouse entering and leaving only while
// it is enabled and the program is in the foreground, and not while the left button that went
// down on it is held.
class TShadowLabel : public TCustomLabel {
    Q_OBJECT
public:
    explicit TShadowLabel(QWidget* parent);

    TShadowPosition ShadowPos() const { return shadowPos_; }
    // Moves the shadow without re-sizing the label.
    void SetShadowPos(TShadowPosition position);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool show);

protected:
    // One pixel free at the left and the right.
    QRect TextArea() const override { return rect().adjusted(1, 0, -1, 0); }
    QRect TextExtent(const QRect& area, int flags, const QString& text) const override;
    void DrawLabelText(TCanvas& canvas, const QRect& area, int flags) override;
    // Text moved down to the middle or the bottom spans the whole width, without the margins,
    // and starts where text and shadow together start: above the text for a shadow upwards.
    QRect LaidOut(QRect area) const override;
    void Paint(TCanvas& canvas) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    void showEvent(QShowEvent* event) override;

private:
    // Where the shadow lies relative to the text, as drawn.
    QPoint ShadowOffset() const;
    void FocusChanged(QWidget* now);
    // Tells the mouse entering or leaving from where it is now, not from the last notice.
    void RecheckMouse();
    void SetMouseInside(bool inside);

    TShadowPosition shadowPos_ = spLeftTop;
    int shadowSize_ = 1;
    TColor shadowColor_ = clBtnHighlight;
    bool showFocus_ = false;
    bool focused_ = false;
    bool mouseInside_ = false;
};

#endif
