#ifndef VARNEL_EDITOR_FOCUSMARK_H
#define VARNEL_EDITOR_FOCUSMARK_H

#include <QFocusFrame>
#include <QList>
#include <QPointer>

// A dotted frame just inside whichever of the marked controls has the keyboard focus, for
// controls that show no focus of their own. It lies on the control as its child, so that an
// overlay covering the control covers the mark as well, and it lets the mouse through: the
// control looks and behaves as before whenever it is not focused. As a Qt focus frame it is no
// control to a screen reader.
class TFocusMark : public QFocusFrame {
    Q_OBJECT
public:
    explicit TFocusMark(QWidget* parent);

    void SetMarked(const QList<QWidget*>& controls);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Follow(QWidget* focused);

    QList<QPointer<QWidget>> marked_;
};

#endif
