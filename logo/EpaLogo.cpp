#include "logo/EpaLogo.h"

#include "logo/ColorTable.h"
#include "logo/EpaFormat.h"
#include "logo/LogoGeometry.h"
#include "runtime/Exception.h"
#include "runtime/StreamBytes.h"
#include "runtime/VgaTextColors.h"

#include <algorithm>
#include <charconv>

using EpaFormat::BytesPerCell;
using LogoGeometry::CellHeight;
using LogoGeometry::CellWidth;

namespace {

// Puts the byte values of one "bin1.dat" line, the numbers before its full stops, into pixel line
// `y` of the logo's glyphs. Anything not a number counts as unlit.
void PutGlyphLine(QByteArray& logo, const QByteArray& line, int y) {
    const QList<QByteArray> fields = line.split('.');
    for (int c = 0; c < std::min<int>(LogoGeometry::Columns, fields.size()); ++c) {
        const QByteArray& field = fields[c];
        int value = 0;
        std::from_chars(field.data(), field.data() + field.size(), value);
        logo[qsizetype(EpaFormat::GlyphOffset(c, y / CellHeight, y % CellHeight))] =
            char(value & 0xFF);
    }
}

// What a file that is no EPA logo holds, by the signature it begins with; empty when unknown.
QString KindBySignature(const QByteArray& bytes) {
    static const std::pair<QByteArray, const char*> kinds[] = {
        {QByteArrayLiteral("AWBM"), "an AWBM logo (the full-screen kind)"},
        {QByteArrayLiteral("BM"), "a BMP picture"},
        {QByteArrayLiteral("\x89PNG\r\n\x1a\n"), "a PNG picture"},
        {QByteArrayLiteral("GIF8"), "a GIF picture"},
        {QByteArrayLiteral("\xff\xd8\xff"), "a JPEG picture"},
    };
    for (const auto& [signature, kind] : kinds)
        if (bytes.startsWith(signature))
            return QString::fromLatin1(kind);
    return {};
}

// A file whose length no EPA logo has: named by what it is when its signature tells.
[[noreturn]] void NotALogo(const QByteArray& bytes, const QString& name, const QString& reason) {
    const QString kind = KindBySignature(bytes);
    if (!kind.isEmpty())
        throw Exception(
            QStringLiteral("\"%1\" is not an EPA logo file: it is %2.").arg(name, kind));
    throw Exception(QStringLiteral("\"%1\" is not an EPA logo file: %2").arg(name, reason));
}

} // namespace

TEpaLogo TEpaLogo::Read(const QString& fileName) {
    const std::optional<QByteArray> bytes = ReadFileAtMost(fileName, LargestFile);
    if (!bytes)
        throw Exception(
            QStringLiteral("\"%1\" is not an EPA logo file: it is too long.").arg(fileName));
    return Parse(*bytes, fileName);
}

TEpaLogo TEpaLogo::Parse(const QByteArray& bytes, const QString& name) {
    const auto size = bytes.size();
    if (size < EpaFormat::HeaderSize)
        NotALogo(bytes, name, QStringLiteral("it is only %1 bytes long.").arg(size));
    TEpaLogo logo;
    logo.columns_ = static_cast<std::uint8_t>(bytes[0]);
    logo.rows_ = static_cast<std::uint8_t>(bytes[1]);
    const qsizetype cells = qsizetype(logo.columns_) * logo.rows_;
    const qsizetype body = EpaFormat::HeaderSize + cells * BytesPerCell;
    if (cells == 0)
        NotALogo(bytes, name,
                 QStringLiteral("it declares %1 × %2 cells.").arg(logo.columns_).arg(logo.rows_));
    if (size != body && size != body + EpaFormat::TrailerSize)
        NotALogo(
            bytes, name,
            QStringLiteral("a logo of %1 × %2 cells takes %3 or %4 bytes, but the file has %5.")
                .arg(logo.columns_)
                .arg(logo.rows_)
                .arg(body)
                .arg(body + EpaFormat::TrailerSize)
                .arg(size));
    logo.hasTrailer_ = size != body;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    logo.attributes_.assign(data + EpaFormat::HeaderSize, data + EpaFormat::HeaderSize + cells);
    logo.glyphs_.assign(data + EpaFormat::HeaderSize + cells, data + body);
    return logo;
}

// The editor's 17 × 9 logo with `colors`' attributes and every glyph unlit.
QByteArray TEpaLogo::Unlit(const TColorTable& colors) {
    QByteArray logo(EpaFormat::LogoFileSize, '\0');
    logo[0] = char(LogoGeometry::Columns);
    logo[1] = char(LogoGeometry::Rows);
    for (int r = 0; r < LogoGeometry::Rows; ++r)
        for (int c = 0; c < LogoGeometry::Columns; ++c)
            logo[qsizetype(EpaFormat::AttributeOffset(c, r))] = char(colors.At(c, r) & 0xFF);
    return logo;
}

TEpaLogo TEpaLogo::Marked(QByteArray logo) {
    for (const EpaFormat::FixedByte& fixed : EpaFormat::FixedBytes)
        logo[qsizetype(fixed.offset)] = char(fixed.value);
    return Parse(logo, QString());
}

TEpaLogo TEpaLogo::Compose(const TColorTable& colors, const QByteArray& byteRows) {
    QByteArray logo = Unlit(colors);
    const QList<QByteArray> lines = byteRows.split('\n');
    for (int y = 0; y < std::min<int>(LogoGeometry::Height, lines.size()); ++y)
        PutGlyphLine(logo, lines[y].trimmed(), y);
    return Marked(std::move(logo));
}

std::uint8_t TEpaLogo::Attribute(int column, int row) const {
    return attributes_.at(std::size_t(row) * columns_ + column);
}

std::uint8_t TEpaLogo::GlyphLine(int column, int row, int line) const {
    const std::size_t cell = std::size_t(row) * columns_ + column;
    return glyphs_.at(cell * CellHeight + line);
}

bool TEpaLogo::Lit(int x, int y) const {
    const std::uint8_t line = GlyphLine(x / CellWidth, y / CellHeight, y % CellHeight);
    return (line >> (7 - x % CellWidth)) & 1;
}

bool TEpaLogo::FitsEditor() const {
    return columns_ <= LogoGeometry::Columns && rows_ <= LogoGeometry::Rows;
}

bool TEpaLogo::HasMarker() const {
    const int c = columns_ - 1;
    const int r = rows_ - 1;
    if (Attribute(c, r) != EpaFormat::MarkerAttribute)
        return false;
    for (std::size_t i = 0; i < EpaFormat::MarkerGlyph.size(); ++i)
        if (GlyphLine(c, r, LogoGeometry::MarkerFirstLine + int(i)) != EpaFormat::MarkerGlyph[i])
            return false;
    return true;
}

TEpaLogo TEpaLogo::Cropped(int columns, int rows) const {
    columns = std::clamp(columns, 1, columns_);
    rows = std::clamp(rows, 1, rows_);
    QByteArray bytes(qsizetype(EpaFormat::FileSize(columns, rows)), '\0');
    bytes[0] = char(columns);
    bytes[1] = char(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            bytes[qsizetype(EpaFormat::AttributeOffset(c, r, columns))] = char(Attribute(c, r));
            for (int line = 0; line < CellHeight; ++line)
                bytes[qsizetype(EpaFormat::GlyphOffset(c, r, line, columns, rows))] =
                    char(GlyphLine(c, r, line));
        }
    for (const EpaFormat::FixedByte& fixed : EpaFormat::FixedBytesFor(columns, rows))
        bytes[qsizetype(fixed.offset)] = char(fixed.value);
    return Parse(bytes, QString());
}

QByteArray TEpaLogo::Bytes() const {
    QByteArray bytes;
    bytes.reserve(qsizetype(EpaFormat::FileSize(columns_, rows_)));
    bytes.append(char(columns_)).append(char(rows_));
    bytes.append(reinterpret_cast<const char*>(attributes_.data()), qsizetype(attributes_.size()));
    bytes.append(reinterpret_cast<const char*>(glyphs_.data()), qsizetype(glyphs_.size()));
    if (hasTrailer_)
        bytes.append(EpaFormat::TrailerSize, '\0');
    return bytes;
}

TIndexedPicture TEpaLogo::Shown() const {
    using LogoGeometry::CellHeight;
    using LogoGeometry::CellWidth;
    TIndexedPicture picture{
        columns_ * CellWidth, rows_ * CellHeight, {VgaTextColors.begin(), VgaTextColors.end()}, {}};
    picture.indices.resize(std::size_t(picture.width) * std::size_t(picture.height));
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t attribute = Attribute(x / CellWidth, y / CellHeight);
            picture.At(x, y) = Lit(x, y) ? attribute & 0x0F : attribute >> 4 & 0x07;
        }
    return picture;
}
