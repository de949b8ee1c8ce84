#include "runtime/Cursors.h"

#include "runtime/Resources.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QtEndian>
#include <optional>

namespace {

// Until the program installs its own pictures, the desktop's hands stand for them, so that they
// match the pointers the user knows.
Qt::CursorShape PlatformShape(int id) {
    switch (id) {
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHandPoint:
    case crProHandPoint:
    case crProSmallHandPoint:
        return Qt::PointingHandCursor;
    case crProGrabHand:
        return Qt::OpenHandCursor;
    case crProGrabHandArrow:
        return Qt::DragMoveCursor;
    case crProDragHand:
        return Qt::ClosedHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// Emptied as the application ends, while pixmaps can still be freed.
QHash<int, QCursor>& InstalledCursors() {
    static QHash<int, QCursor> cursors;
    static const bool emptiedAtExit = [] {
        qAddPostRoutine([] { InstalledCursors().clear(); });
        return true;
    }();
    Q_UNUSED(emptiedAtExit);
    return cursors;
}

// A cursor file: a directory of type 2 whose first entry carries the hot spot where an icon
// would carry its colour planes and bit count; the picture itself is read by Qt.
std::optional<QCursor> ReadCursor(const QByteArray& bytes) {
    constexpr int kDirectory = 6;
    constexpr int kEntry = 16;
    if (bytes.size() < kDirectory + kEntry)
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint16>(data) != 0 || qFromLittleEndian<quint16>(data + 2) != 2)
        return std::nullopt;
    const QImage picture = QImage::fromData(bytes, "CUR");
    if (picture.isNull())
        return std::nullopt;
    const int hotX = qFromLittleEndian<quint16>(data + kDirectory + 4);
    const int hotY = qFromLittleEndian<quint16>(data + kDirectory + 6);
    return QCursor(QPixmap::fromImage(picture), hotX, hotY);
}

} // namespace

QCursor TCursors::Get(int id) {
    const QHash<int, QCursor>& installed = InstalledCursors();
    if (const auto found = installed.constFind(id); found != installed.constEnd())
        return *found;
    return QCursor(PlatformShape(id));
}

bool TCursors::InstallResource(int id, const QString& resourceName) {
    const std::optional<QByteArray> bytes = FindResource(TResourceKind::Cursor, resourceName);
    const std::optional<QCursor> cursor = bytes ? ReadCursor(*bytes) : std::nullopt;
    if (!cursor)
        return false;
    InstalledCursors().insert(id, *cursor);
    return true;
}

void TCursors::ResetScreenCursor() {
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}
