#ifndef VARNEL_RUNTIME_REGULARFILE_H
#define VARNEL_RUNTIME_REGULARFILE_H

#include <QFile>
#include <QString>

// Opening a file to read its bytes, never anything else that has a name. A named pipe without a
// writer would block the open until someone writes, a device may never end, and a folder has no
// bytes: each is refused at once with what it is.
namespace RegularFile {

// What the name stands for when it is there but is not a regular file ("a named pipe", "a
// folder", "a device", "a socket"); empty for a regular file or a name the system cannot look at,
// whose open then says why.
QString KindOf(const QString& fileName);

// A descriptor of `fileName` opened read-only, without waiting, when it is a regular file; -1
// otherwise, with `kind` saying what it is instead ("a named pipe"...), or empty when the open
// failed and errno says why.
#ifndef Q_OS_WIN
int OpenDescriptor(const QString& fileName, QString& kind);
#endif

// Opens `file` read-only. The open itself never waits: it is made without blocking and the
// opened thing is checked before a byte is read. Raises "Cannot open file NAME: it is a named
// pipe, not a file" (a folder, a device...) for anything but a regular file. Returns the
// system's reason when the open fails otherwise ("No such file or directory"), empty once open.
QString Open(QFile& file);

} // namespace RegularFile

#endif
