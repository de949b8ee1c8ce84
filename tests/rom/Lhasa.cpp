#include "tests/rom/Lhasa.h"

#include "rom/LzhMember.h"

#include <QFile>
#include <QList>
#include <QProcess>

namespace {

QProcess* Run(QProcess& process, const QStringList& args) {
    process.start(QStringLiteral("lhasa"), args);
    process.waitForFinished(60000);
    return &process;
}

} // namespace

bool Lhasa::Tests(const QString& archive) {
    QProcess process;
    Run(process, {"tq", archive});
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QByteArray Lhasa::Extract(const QString& archive, const QString& member) {
    QProcess process;
    Run(process, {"pq", archive, member});
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

void Lhasa::WriteArchive(const QString& path, const QList<TLzhMember>& members) {
    QByteArray bytes;
    for (const TLzhMember& member : members)
        bytes += member.Bytes();
    bytes.append('\0');
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}
