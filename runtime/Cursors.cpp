#include "runtime/Cursors.h"

#include "runtime/Resources.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QtEndian>
#include <map>
#include <optional>

namespace {

// Emptied as the application ends, while pixmaps can still be freed.
std::map<int, QCursor>& InstalledCursors() {
    static std::map<int, QCursor> cursors;
    static const bool emptiedAtExit = [] {
        qAddPostRoutine([] { InstalledCursors().clear(); });
        return true;
    }();
    Q_UNUSED(emptiedAtExit);
    return cursors;
}

Qt::CursorShape PlatformShape(int number) {
    switch (number) {
    case crDefault:
    case crArrow:
        return Qt::ArrowCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
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

QCursor ScreenCursor(int number) {
    const auto& cursors = InstalledCursors();
    if (const auto found = cursors.find(number); found != cursors.end())
        return found->second;
    return QCursor(PlatformShape(number));
}

bool InstallCursorResource(int number, const QString& resourceName) {
    const std::optional<QByteArray> bytes = FindResource(TResourceKind::Cursor, resourceName);
    const std::optional<QCursor> cursor = bytes ? ReadCursor(*bytes) : std::nullopt;
    if (!cursor)
        return false;
    InstalledCursors().insert_or_assign(number, *cursor);
    return true;
}

void ResetScreenCursor() {
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}
