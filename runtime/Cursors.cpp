#include "runtime/Cursors.h"

#include <QHash>

namespace {

// The desktop's own hands stand for our pictures, so they match the pointers the user knows.
QHash<int, QCursor> InstallProgramCursors() {
    return {
        {crDefault, QCursor(Qt::ArrowCursor)},
        {crProHandPoint, QCursor(Qt::PointingHandCursor)},
        {crProSmallHandPoint, QCursor(Qt::PointingHandCursor)},
        {crProGrabHand, QCursor(Qt::OpenHandCursor)},
        {crProGrabHandArrow, QCursor(Qt::DragMoveCursor)},
        {crProDragHand, QCursor(Qt::ClosedHandCursor)},
    };
}

} // namespace

QCursor TCursors::Get(int id) {
    static const QHash<int, QCursor> table = InstallProgramCursors();
    return table.value(id, QCursor(Qt::ArrowCursor));
}
