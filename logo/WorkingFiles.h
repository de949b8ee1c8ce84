#ifndef VARNEL_LOGO_WORKINGFILES_H
#define VARNEL_LOGO_WORKINGFILES_H

#include <QDir>
#include <QString>
#include <string>
#include <string_view>

// The names of the files through which conversion and save hand on their data, and of the two
// templates New reloads. They live in one folder: the editor's current directory.
namespace WorkingFiles {

inline const QString BitRows = QStringLiteral("bin.dat");
inline const QString ByteRows = QStringLiteral("bin1.dat");
inline const QString ByteList = QStringLiteral("bin2.dat");
inline const QString Binary = QStringLiteral("bin3.dat");
inline const QString DrawingTemplate = QStringLiteral("zembmp.bmp");
inline const QString PreviewTemplate = QStringLiteral("zemepa.bmp");

inline QString In(const QDir& dir, const QString& name) {
    return dir.filePath(name);
}

// A working file's lines gathered for one write, each ended as TTextFile::WriteLine ends it.
inline void AddLine(std::string& text, std::string_view line) {
    text += line;
    text += "\r\n";
}

} // namespace WorkingFiles

#endif
