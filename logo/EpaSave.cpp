#include "logo/EpaSave.h"

#include "logo/ColorTable.h"
#include "logo/EpaFormat.h"
#include "logo/WorkingFiles.h"
#include "runtime/Exception.h"
#include "runtime/LocalFiles.h"
#include "runtime/StrToInt.h"
#include "runtime/TextFile.h"

#include <QFileInfo>
#include <array>
#include <string>
#include <string_view>

namespace {

using LogoGeometry::Columns;
using LogoGeometry::Rows;

// Splits one "bin1.dat" line into its 17 fields: each the text before the next full stop.
std::array<std::string_view, Columns> Fields(std::string_view line) {
    std::array<std::string_view, Columns> fields;
    for (std::string_view& field : fields) {
        const std::size_t stop = line.find('.');
        field = line.substr(0, stop);
        line.remove_prefix(stop == std::string_view::npos ? line.size() : stop + 1);
    }
    return fields;
}

void WriteByteList(const TColorTable& colors, const QDir& dir, const ProgressStep& step) {
    TTextFile byteRows(WorkingFiles::In(dir, WorkingFiles::ByteRows));
    byteRows.Reset();
    std::string text;
    WorkingFiles::AddLine(text, std::to_string(Columns));
    WorkingFiles::AddLine(text, std::to_string(Rows));
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c)
            WorkingFiles::AddLine(text, std::to_string(colors.At(c, r)));
    for (int r = 0; r < Rows; ++r) {
        std::array<std::string, LogoGeometry::CellHeight> lines;
        std::array<std::array<std::string_view, Columns>, LogoGeometry::CellHeight> work;
        for (int i = 0; i < LogoGeometry::CellHeight; ++i) {
            if (step)
                step();
            lines[i] = byteRows.ReadLine();
            work[i] = Fields(lines[i]);
        }
        for (int c = 0; c < Columns; ++c)
            for (const auto& lineFields : work)
                WorkingFiles::AddLine(text, lineFields[c]);
    }
    for (int i = 0; i < EpaFormat::TrailerSize; ++i)
        WorkingFiles::AddLine(text, "0");
    byteRows.Close();
    LocalFiles::ReplaceWhole(WorkingFiles::In(dir, WorkingFiles::ByteList),
                             QByteArray::fromStdString(text));
}

void WriteBinary(const QDir& dir) {
    TTextFile list(WorkingFiles::In(dir, WorkingFiles::ByteList));
    list.Reset();
    QByteArray binary;
    do {
        binary.append(char(StrToInt(list.ReadLine()) & 0xFF));
    } while (!list.Eof());
    list.Close();
    for (const EpaFormat::FixedByte& fixed : EpaFormat::FixedBytes) {
        // A byte past the end lengthens the file as a seek and a write would, with zeros between.
        if (fixed.offset >= binary.size())
            binary.resize(qsizetype(fixed.offset) + 1, '\0');
        binary[qsizetype(fixed.offset)] = char(fixed.value);
    }
    LocalFiles::ReplaceWhole(WorkingFiles::In(dir, WorkingFiles::Binary), binary);
}

// The logo is only ever renamed into place: a copy could fail half-way on another disk, and an
// existing file of that name is the user's.
void NameLogo(const QDir& dir, const QString& logoName) {
    const std::error_code error =
        LocalFiles::RenameNew(WorkingFiles::In(dir, WorkingFiles::Binary), dir.filePath(logoName));
    if (!error)
        return;
    QString reason = LocalFiles::Reason(error);
    if (error == std::errc::file_exists)
        reason = QStringLiteral("a file of that name already exists");
    else if (error == std::errc::cross_device_link)
        reason = QStringLiteral("it lies on another file system, and a logo is never copied");
    throw Exception(
        QStringLiteral("Cannot save the logo as \"%1\": %2. The logo was left in \"%3\".")
            .arg(QFileInfo(logoName).fileName(), reason, WorkingFiles::Binary));
}

} // namespace

void SaveEpa(const TColorTable& colors, const QDir& dir, const QString& logoName,
             const ProgressStep& step) {
    WriteByteList(colors, dir, step);
    WriteBinary(dir);
    NameLogo(dir, logoName);
}
