#ifndef VARNEL_RUNTIME_RESOURCES_H
#define VARNEL_RUNTIME_RESOURCES_H

#include <QByteArray>
#include <QString>
#include <optional>

// The kinds of resource the program carries, each compiled into a folder of its own
// (":/bitmaps", ":/cursors", ":/rcdata").
enum class TResourceKind { Bitmap, Cursor, RawData };

// The bytes of the program's resource of that kind and name, or nothing when it has none.
// Names compare without regard to case and without the file's extension. Folders added with
// QDir::addSearchPath under the folder's name ("rcdata") are searched after the built-in one.
std::optional<QByteArray> FindResource(TResourceKind kind, const QString& name);

// The bytes of a file linked into the program (":/background.bmp"), read where they lie unless
// they were stored compressed; empty when there is no such file.
QByteArray LinkedFile(const QString& path);

#endif
