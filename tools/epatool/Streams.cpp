#include "tools/epatool/Streams.h"

#include "runtime/Exception.h"
#include "runtime/LocalFiles.h"
#include "runtime/RegularFile.h"
#include "runtime/StreamBytes.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

bool IsStandardStream(const QString& name) {
    return name == QStringLiteral("-");
}

QString InputName(const QString& name) {
    return IsStandardStream(name) ? QStringLiteral("standard input") : name;
}

void OpenInput(QFile& file, const QString& name) {
    bool opened = false;
    if (IsStandardStream(name)) {
        opened = file.open(STDIN_FILENO, QIODevice::ReadOnly);
    } else {
        // Only a regular file, and never waited on: a pipe or a device is refused at once.
        file.setFileName(name);
        const QString failure = RegularFile::Open(file);
        if (!failure.isEmpty())
            throw Exception(QStringLiteral("Cannot open \"%1\": %2").arg(name, failure));
        opened = true;
    }
    if (!opened)
        throw Exception(
            QStringLiteral("Cannot open \"%1\": %2").arg(InputName(name), file.errorString()));
}

std::optional<QByteArray> ReadInput(const QString& name, qint64 limit) {
    QFile file;
    OpenInput(file, name);
    return ReadAtMost(file, limit);
}

void RefuseExisting(const QString& output) {
    if (!IsStandardStream(output) && QFileInfo::exists(output))
        throw Exception(
            QStringLiteral("\"%1\" already exists; choose another name or remove it.").arg(output));
}

namespace {

// Binary bytes on a terminal garble it and are of no use to anyone.
void WriteStandardOutput(const QByteArray& bytes) {
    if (isatty(STDOUT_FILENO))
        throw Exception(QStringLiteral("Standard output is a terminal: name an output file or "
                                       "send the output to a file or a pipe."));
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) !=
            std::size_t(bytes.size()) ||
        std::fflush(stdout) != 0)
        throw Exception(
            QStringLiteral("Cannot write standard output: %1").arg(std::strerror(errno)));
}

} // namespace

void WriteOutput(const QString& output, const QByteArray& bytes) {
    if (IsStandardStream(output))
        WriteStandardOutput(bytes);
    else
        LocalFiles::WriteNewFile(output, bytes);
}
