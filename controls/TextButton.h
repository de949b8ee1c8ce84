#ifndef VARNEL_CONTROLS_TEXTBUTTON_H
#define VARNEL_CONTROLS_TEXTBUTTON_H

#include "runtime/CustomLabel.h"

// The window's flat command button: a raised one-pixel bevel round a centred caption in the
// font's colour, lit from the left and top. A label at heart, it paints its own look: it lies
// on its parent's face (transparent, of the size it is given), never takes the focus, and
// raises OnClick for a left press released over it.
class TsohoTextButton : public TCustomLabel {
    Q_OBJECT
public:
    explicit TsohoTextButton(QWidget* parent);

    // From a press until its release: bevel reversed, caption one pixel down and right.
    bool Pressed() const { return pressed_; }

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void EnabledChanged() override;

private:
    void SetPressed(bool pressed);

    bool pressed_ = false;
};

#endif
