#include "editor/FocusMark.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

TFocusMark::TFocusMark(QWidget* parent) : QFocusFrame(parent) {
    // Mouse-transparent and never focused, as every focus frame.
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* focused) { Follow(focused); });
}

// Drawn a pixel on, a pixel off.
void TFocusMark::AddMarked(const QList<QWidget*>& controls, int inset) {
    for (QWidget* control : controls)
        marked_.append({control, inset});
    Follow(QApplication::focusWidget());
}

void TFocusMark::Follow(QWidget* focused) {
    const auto mark = std::find_if(marked_.begin(), marked_.end(),
                                   [&](const auto& marked) { return marked.first == focused; });
    if (!focused || mark == marked_.end()) {
        hide();
        return;
    }
    inset_ = mark->second;
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
    painter.drawRect(rect().adjusted(inset_, inset_, -inset_ - 1, -inset_ - 1));
}
