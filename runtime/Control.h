#ifndef VARNEL_RUNTIME_CONTROL_H
#define VARNEL_RUNTIME_CONTROL_H

#include "runtime/Color.h"
#include "runtime/Store.h"

#include <QWidget>
#include <functional>

class TCanvas;

// Places `widget` at (left, top) of its parent's client area, which is the parent's contents
// rectangle: a panel with a sunken edge keeps its children inside the edge, as the classic
// non-client border did. For platform widgets (combo box, progress bar, push button) too.
void PlaceInParent(QWidget& widget, int left, int top, int width, int height);

// The base of every control of the window, giving the classic event order on top of QWidget:
// a left press and release inside give press, click, release; other buttons give press and
// release only; the pointer entering and leaving gives MouseEnter and MouseLeave. A press with
// any button holds the mouse until its release, so a stroke that ends outside still ends here.
//
// A windowless control (the default) paints only where it draws a pixel, so its parent shows
// through, and always lies below its windowed siblings. A windowed control paints its whole
// area and lies above the windowless controls of its parent.
class TControl : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Windowless, Windowed };

    using NotifyEvent = std::function<void(TControl& sender)>;
    using MouseEvent = std::function<void(TControl& sender, Qt::MouseButton button,
                                          Qt::KeyboardModifiers shift, int x, int y)>;
    using MouseMoveEvent =
        std::function<void(TControl& sender, Qt::KeyboardModifiers shift, int x, int y)>;
    // `key` is a Qt::Key; a handler that sets it to 0 consumes the key.
    using KeyEvent = std::function<void(TControl& sender, int& key, Qt::KeyboardModifiers shift)>;

    explicit TControl(QWidget* parent, Kind kind = Kind::Windowless);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled);
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool visible);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    void SetBounds(int left, int top, int width, int height) {
        PlaceInParent(*this, left, top, width, height);
    }
    // The font is Qt's: it follows the parent's until the control is given its own.
    const QFont& Font() const { return font(); }
    void SetFont(const QFont& font) { setFont(font); }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);
    Kind ControlKind() const { return kind_; }

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseLeave;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;
    KeyEvent OnKeyDown;

protected:
    // What a control does beyond raising the event; each override calls the base to raise it.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // A key press: the override calls the base to raise OnKeyDown and sets `key` to 0 to consume
    // it; a key left non-zero goes on to the parent.
    virtual void KeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void Click();
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void CaptionChanged() { update(); }
    virtual void EnabledChanged() { update(); }
    // The font changed, also by inheriting a new font from the parent.
    virtual void FontChanged() { update(); }
    // Only the font colour changed: nothing is measured anew.
    virtual void FontColorChanged() { update(); }
    // Paints the control into `canvas`, which covers the control's client area. For a
    // windowless control the canvas starts see-through; for a windowed one it starts in the
    // control's colour. A failure shows what was painted so far; the error box follows the paint.
    virtual void Paint(TCanvas& canvas);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void StackBelowWindowedSiblings();

    Kind kind_;
    QString caption_;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clWindowText;
    bool leftPressed_ = false;
    bool paintFailed_ = false;
};

#endif
