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

constexpr int kDirectory = 6;
constexpr int kEntry = 16;
constexpr int kInfoHeader = 40;

// A two-colour picture with its AND mask, the kind every classic pointer is, read here rather
// than through an image plugin: at start-up that saves loading the plugins and setting up
// colour conversion for a few 32 x 32 hands. A pixel the mask lets through (where the platform
// would invert the screen) stays see-through, since a picture cursor cannot invert.
std::optional<QImage> ReadMonochrome(const QByteArray& bytes, quint32 offset) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    if (offset > size || size - offset < kInfoHeader + 8)
        return std::nullopt;
    const uchar* info = data + offset;
    const qint32 width = qFromLittleEndian<qint32>(info + 4);
    const qint32 doubledHeight = qFromLittleEndian<qint32>(info + 8);
    if (qFromLittleEndian<quint32>(info) != kInfoHeader ||
        qFromLittleEndian<quint16>(info + 14) != 1 || qFromLittleEndian<quint32>(info + 16) != 0 ||
        width < 1 || width > 256 || doubledHeight < 2 || doubledHeight > 512 ||
        doubledHeight % 2 != 0)
        return std::nullopt;
    const int height = doubledHeight / 2;
    const qint64 stride = (width + 31) / 32 * 4;
    if (size - offset - kInfoHeader - 8 < 2 * stride * height)
        return std::nullopt;
    const uchar* palette = info + kInfoHeader;
    const uchar* colours = palette + 8;
    const uchar* mask = colours + stride * height;
    const auto Bit = [](const uchar* row, int x) { return (row[x / 8] >> (7 - x % 8)) & 1; };
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        const qint64 row = (height - 1 - y) * stride; // the rows run bottom-up
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const uchar* entry = palette + 4 * Bit(colours + row, x);
            line[x] = Bit(mask + row, x) ? 0 : qRgb(entry[2], entry[1], entry[0]);
        }
    }
    return picture;
}

// A cursor file: a directory of type 2 whose first entry carries the hot spot where an icon
// would carry its colour planes and bit count. Pictures of other depths are read by Qt.
std::optional<QCursor> ReadCursor(const QByteArray& bytes) {
    if (bytes.size() < kDirectory + kEntry)
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint16>(data) != 0 || qFromLittleEndian<quint16>(data + 2) != 2)
        return std::nullopt;
    const quint32 offset = qFromLittleEndian<quint32>(data + kDirectory + 12);
    std::optional<QImage> picture = ReadMonochrome(bytes, offset);
    if (!picture)
        picture = QImage::fromData(bytes, "CUR");
    if (picture->isNull())
        return std::nullopt;
    const int hotX = qFromLittleEndian<quint16>(data + kDirectory + 4);
    const int hotY = qFromLittleEndian<quint16>(data + kDirectory + 6);
    return QCursor(QPixmap::fromImage(*picture), hotX, hotY);
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
