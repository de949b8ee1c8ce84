#ifndef VARNEL_EDITOR_FOCUSMARK_H
#define VARNEL_EDITOR_FOCUSMARK_H

#include <QFocusFrame>
#include <QList>
#include <QPointer>
#include <utility>

// A dotted frame just inside whichever of the marked controls has the keyboard focus, for
// controls that show no focus of their own. It lies on the control as its child, so that an
// overlay covering the control covers the mark as well, and it lets the mouse through: the
// control looks and behaves as before whenever it is not focused. As a Qt focus frame it is no
// control to a screen reader.
class TFocusMark : public QFocusFrame {
    Q_OBJECT
public:
    explicit TFocusMark(QWidget* parent);

    // Each control's mark lies `inset` pixels inside its edges: clear of a button's bevel, or
    // round the whole of a link's text.
    void AddMarked(const QList<QWidget*>& controls, int inset);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Follow(QWidget* focused);

    QList<std::pair<QPointer<QWidget>, int>> marked_;
    int inset_ = 0;
};

#endif
