#ifndef VARNEL_CONTROLS_TEXTBUTTON_H
#define VARNEL_CONTROLS_TEXTBUTTON_H

#include "runtime/Control.h"

// The window's flat command button: a raised one-pixel bevel round a centred caption in the
// font's colour, lit from the left and top. It lies on its parent's face (windowless, nothing
// filled), never takes the focus, and raises OnClick for a left press released over it.
class TsohoTextButton : public TControl {
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
