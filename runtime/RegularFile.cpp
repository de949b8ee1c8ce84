#include "runtime/RegularFile.h"

#include "runtime/Exception.h"
#include "runtime/LocalFiles.h"

#include <QFileInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

[[noreturn]] void NotAFile(const QString& fileName, const QString& kind) {
    throw Exception(
        QStringLiteral("Cannot open file %1: it is %2, not a file").arg(fileName, kind));
}

#ifndef Q_OS_WIN
QString KindOfMode(mode_t mode) {
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a special file");
}

// Qt's name for a file linked into the program.
bool IsResource(const QString& fileName) {
    return fileName.startsWith(u':') || fileName.startsWith(QLatin1String("qrc:"));
}
#endif

} // namespace

namespace RegularFile {

#ifndef Q_OS_WIN

QString KindOf(const QString& fileName) {
    struct stat status {};
    if (::stat(LocalFiles::EncodedName(fileName).constData(), &status) != 0)
        return {};
    return KindOfMode(status.st_mode);
}

int OpenDescriptor(const QString& fileName, QString& kind) {
    kind = KindOf(fileName);
    if (!kind.isEmpty())
        return -1;
    // Checked again on what was opened: the name may have changed hands since.
    const int fd = ::open(LocalFiles::EncodedName(fileName).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat status {};
    kind = ::fstat(fd, &status) == 0 ? KindOfMode(status.st_mode) : QString();
    if (!kind.isEmpty()) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

QString Open(QFile& file) {
    // A resource linked into the program lies in memory: never a pipe, a device or a folder.
    if (IsResource(file.fileName()))
        return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
    QString kind;
    const int fd = OpenDescriptor(file.fileName(), kind);
    if (!kind.isEmpty())
        NotAFile(file.fileName(), kind);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {};
    ::close(fd);
    return file.errorString();
}

#else

QString KindOf(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists() || info.isFile())
        return {};
    return info.isDir() ? QStringLiteral("a folder") : QStringLiteral("not a regular file");
}

QString Open(QFile& file) {
    if (const QString kind = KindOf(file.fileName()); !kind.isEmpty())
        NotAFile(file.fileName(), kind);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
}

#endif

} // namespace RegularFile
