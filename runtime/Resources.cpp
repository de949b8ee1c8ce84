#include "runtime/Resources.h"

#include <QDir>
#include <QFile>
#include <QResource>

namespace {

QString FolderName(TResourceKind kind) {
    switch (kind) {
    case TResourceKind::Bitmap:
        return QStringLiteral("bitmaps");
    case TResourceKind::Cursor:
        return QStringLiteral("cursors");
    case TResourceKind::RawData:
        break;
    }
    return QStringLiteral("rcdata");
}

} // namespace

std::optional<QByteArray> FindResource(TResourceKind kind, const QString& name) {
    const QString folder = FolderName(kind);
    const QStringList folders =
        QStringList{QStringLiteral(":/") + folder} + QDir::searchPaths(folder);
    for (const QString& path : folders) {
        for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Files)) {
            if (entry.completeBaseName().compare(name, Qt::CaseInsensitive) != 0)
                continue;
            QFile file(entry.filePath());
            if (file.open(QIODevice::ReadOnly))
                return file.readAll();
        }
    }
    return std::nullopt;
}

QByteArray LinkedFile(const QString& path) {
    const QResource resource(path);
    if (!resource.isValid())
        return {};
    if (resource.compressionAlgorithm() == QResource::NoCompression)
        return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                       resource.size());
    return resource.uncompressedData();
}
