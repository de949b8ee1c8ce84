#include "formats/EpaSave.h"

#include "formats/ColorTable.h"
#include "formats/EpaFormat.h"
#include "formats/WorkingFiles.h"
#include "runtime/ByteFile.h"
#include "runtime/Exception.h"
#include "runtime/StrToInt.h"
#include "runtime/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <string>

namespace {

using LogoGeometry::Columns;
using LogoGeometry::Rows;

// Splits one "bin1.dat" line into its 17 fields: each the text before the next full stop.
std::array<std::string, Columns> Fields(std::string line) {
    std::array<std::string, Columns> fields;
    for (std::string& field : fields) {
        const std::size_t stop = line.find('.');
        field = line.substr(0, stop);
        line.erase(0, stop == std::string::npos ? line.size() : stop + 1);
    }
    return fields;
}

void WriteByteList(const TColorTable& colors, const QDir& dir, const ProgressStep& step) {
    TTextFile byteRows(WorkingFiles::In(dir, WorkingFiles::ByteRows));
    byteRows.Reset();
    TTextFile list(WorkingFiles::In(dir, WorkingFiles::ByteList));
    list.Rewrite();
    list.WriteLine(std::to_string(Columns));
    list.WriteLine(std::to_string(Rows));
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c)
            list.WriteLine(std::to_string(colors.At(c, r)));
    for (int r = 0; r < Rows; ++r) {
        std::array<std::array<std::string, Columns>, LogoGeometry::CellHeight> work;
        for (auto& lineFields : work) {
            if (step)
                step();
            lineFields = Fields(byteRows.ReadLine());
        }
        for (int c = 0; c < Columns; ++c)
            for (const auto& lineFields : work)
                list.WriteLine(lineFields[c]);
    }
    for (int i = 0; i < EpaFormat::TrailerSize; ++i)
        list.WriteLine("0");
    list.Close();
    byteRows.Close();
}

void WriteBinary(const QDir& dir) {
    TTextFile list(WorkingFiles::In(dir, WorkingFiles::ByteList));
    list.Reset();
    TByteFile binary(WorkingFiles::In(dir, WorkingFiles::Binary));
    binary.Rewrite();
    do {
        binary.Write(static_cast<std::uint8_t>(StrToInt(list.ReadLine()) & 0xFF));
    } while (!list.Eof());
    for (const EpaFormat::FixedByte& fixed : EpaFormat::FixedBytes) {
        binary.Seek(fixed.offset);
        binary.Write(fixed.value);
    }
    binary.Close();
    list.Close();
}

void NameLogo(const QDir& dir, const QString& logoName) {
    const QString target = dir.filePath(logoName);
    if (QFile::rename(WorkingFiles::In(dir, WorkingFiles::Binary), target))
        return;
    const QString reason = QFileInfo::exists(target)
                               ? QStringLiteral("a file of that name already exists")
                               : QStringLiteral("that name cannot be used here");
    throw Exception(
        QStringLiteral("Cannot save the logo as \"%1\": %2. The logo was left in \"%3\".")
            .arg(logoName, reason, WorkingFiles::Binary));
}

} // namespace

void SaveEpa(const TColorTable& colors, const QDir& dir, const QString& logoName,
             const ProgressStep& step) {
    WriteByteList(colors, dir, step);
    WriteBinary(dir);
    NameLogo(dir, logoName);
}
