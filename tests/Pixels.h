#ifndef VARNEL_TESTS_PIXELS_H
#define VARNEL_TESTS_PIXELS_H

#include "runtime/Color.h"

#include <QPair>
#include <QSet>
#include <QWidget>

// Where a widget shows a colour, read from what it paints.
namespace pixels {

using Set = QSet<QPair<int, int>>;

inline Set Of(QWidget& widget, TColor color) {
    const QImage shot = widget.grab().toImage();
    const QColor wanted = ToQColor(color);
    Set found;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixelColor(x, y) == wanted)
                found.insert({x, y});
    return found;
}

inline Set Moved(const Set& set, int dx, int dy) {
    Set moved;
    for (const auto& [x, y] : set)
        moved.insert({x + dx, y + dy});
    return moved;
}

} // namespace pixels

#endif
