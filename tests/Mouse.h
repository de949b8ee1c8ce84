#ifndef VARNEL_TESTS_MOUSE_H
#define VARNEL_TESTS_MOUSE_H

#include <QTest>
#include <QWidget>
#include <QWindow>

// Mouse input the way the window system delivers it: Qt routes it to the widget under the
// pointer, or to the one holding the mouse, with enter and leave notices on the way. Points are
// in the coordinates of `widget`, which may be any widget of a shown window.
namespace mouse {

inline QPoint InWindow(QWidget& widget, QPoint point) {
    return widget.mapTo(widget.window(), point);
}

inline void Press(QWidget& widget, QPoint point, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(widget.window()->windowHandle(), button, {}, InWindow(widget, point));
}

inline void Release(QWidget& widget, QPoint point, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(widget.window()->windowHandle(), button, {}, InWindow(widget, point));
}

inline void Click(QWidget& widget, QPoint point, Qt::MouseButton button = Qt::LeftButton) {
    Press(widget, point, button);
    Release(widget, point, button);
}

inline void Move(QWidget& widget, QPoint point) {
    QTest::mouseMove(widget.window()->windowHandle(), InWindow(widget, point));
}

} // namespace mouse

#endif
