#include "editor/FocusMark.h"

#include <QApplication>
#include <QPainter>

namespace {

// Clear of the button's two-pixel bevel, and drawn a pixel on, a pixel off.
constexpr int Inset = 3;

} // namespace

TFocusMark::TFocusMark(QWidget* parent) : QFocusFrame(parent) {
    // Mouse-transparent and never focused, as every focus frame.
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* focused) { Follow(focused); });
}

void TFocusMark::SetMarked(const QList<QWidget*>& controls) {
    marked_.clear();
    for (QWidget* control : controls)
        marked_.append(control);
    Follow(QApplication::focusWidget());
}

void TFocusMark::Follow(QWidget* focused) {
    if (!focused || !marked_.contains(focused)) {
        hide();
        return;
    }
    if (parentWidget() != focused)
        setParent(focused);
    setGeometry(focused->rect());
    show();
}

void TFocusMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(Qt::black, 1);
    pen.setDashPattern({1, 1});
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(Inset, Inset, -Inset - 1, -Inset - 1));
}
