#ifndef VARNEL_TOOLS_EPATOOL_STREAMS_H
#define VARNEL_TOOLS_EPATOOL_STREAMS_H

#include <QByteArray>
#include <QString>
#include <optional>

class QFile;

// "-" names standard input where a command reads and standard output where it writes.
bool IsStandardStream(const QString& name);
// What messages call the file: "standard input" for "-", else the name itself.
QString InputName(const QString& name);

// Opens the file `name` (standard input for "-") for reading; a failure raises an error naming it.
void OpenInput(QFile& file, const QString& name);
// The bytes of `name` (standard input for "-"), or nothing when it holds more than `limit`.
std::optional<QByteArray> ReadInput(const QString& name, qint64 limit);

// Raises an error when `output` names an existing file: no command overwrites one.
void RefuseExisting(const QString& output);
// Writes `bytes` as the new file `output` (never over a file, never through a link), or to
// standard output for "-", which must not be a terminal. Any failure raises an error with the
// system's reason.
void WriteOutput(const QString& output, const QByteArray& bytes);

#endif
