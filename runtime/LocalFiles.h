#ifndef VARNEL_RUNTIME_LOCALFILES_H
#define VARNEL_RUNTIME_LOCALFILES_H

#include <QByteArray>
#include <QString>
#include <functional>
#include <system_error>

// How files are named, created and put in place so that no write ever lands on a file the user
// did not name: never through a link, never over an existing file, never by a copy.
namespace LocalFiles {

// The name as the file system spells it. A name it cannot spell exactly (a character the
// locale's encoding lacks, a NUL) raises an error rather than naming some other file.
QByteArray EncodedName(const QString& fileName);
// A name the system handed over (a command-line argument); bytes the locale's encoding cannot
// read raise an error for the same reason.
QString DecodedName(const QByteArray& bytes);

// A name typed for a file of the current folder must be just that: no separator, no drive or
// root part, not "." or "..", not hidden (a leading full stop). Anything else raises an error
// quoting the name.
void RequirePlainName(const QString& name);

// Clears the way to create `fileName` afresh. A stale regular file is removed rather than
// written into, since it may be a second name of another file. A link, or anything else that is
// not a regular file, raises an error naming it; a folder raises "File access denied".
void MakeWayFor(const QString& fileName);

// Writes `bytes` as `fileName` whole: under a temporary name beside it, then renamed over the
// old file, so that a failed write leaves the old file as it was and no part of the new one. What
// MakeWayFor refuses is refused here too; a failure raises EInOutError with the runtime's code.
void ReplaceWhole(const QString& fileName, const QByteArray& bytes);

// Gives the file `from` the name `to` by renaming alone: never by copying, never over an existing
// file or link. Returns the system's error; none on success.
std::error_code RenameNew(const QString& from, const QString& to);

// Writes `bytes` as the new file `fileName`: complete under a temporary name beside it, then
// renamed into place. An existing name is never replaced. Any failure removes the temporary file
// and raises "Cannot write NAME: REASON" with the system's reason.
void WriteNewFile(const QString& fileName, const QByteArray& bytes);
// The same, with `check` called on the temporary file's name once it is written and closed: an
// error it raises removes the temporary file and goes on, and `fileName` never appears.
void WriteNewFile(const QString& fileName, const QByteArray& bytes,
                  const std::function<void(const QString& written)>& check);

// Deletes the file; a failure raises EInOutError with the runtime's code ("File not found" when
// there is no such file).
void Delete(const QString& fileName);

// The system's reason for an error, as a user reads it ("No space left on device").
QString Reason(const std::error_code& error);

} // namespace LocalFiles

#endif
