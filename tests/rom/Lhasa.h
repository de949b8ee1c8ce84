#ifndef VARNEL_TESTS_ROM_LHASA_H
#define VARNEL_TESTS_ROM_LHASA_H

#include <QByteArray>
#include <QString>

class TLzhMember;

// lhasa, the independent LHA decoder, run on an archive made of the given members.
namespace Lhasa {

// Whether "lhasa t" accepts the archive (every CRC good).
bool Tests(const QString& archive);
// The member's data as "lhasa p" prints it; empty when lhasa fails.
QByteArray Extract(const QString& archive, const QString& member);
// Writes an archive of `members` (and the end mark) to `path`.
void WriteArchive(const QString& path, const QList<TLzhMember>& members);

} // namespace Lhasa

#endif
