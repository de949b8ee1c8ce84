#include "editor/LogoDocument.h"

#include "logo/EpaLogo.h"
#include "logo/EpaSave.h"
#include "logo/Import.h"
#include "logo/LogoGeometry.h"
#include "logo/Templates.h"
#include "logo/WorkingFiles.h"
#include "rom/ImageLogo.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "runtime/LocalFiles.h"
#include "runtime/RegularFile.h"
#include "runtime/StreamBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace {

// The rows "bin1.dat" in `folder` holds, as the save will read them; nothing when it cannot be
// read. Never waited on: a pipe under the working file's name is refused at once.
std::optional<QByteArray> RowsOnDisk(const QString& folder, QString* reason = nullptr) {
    QFile file(WorkingFiles::In(QDir(folder), WorkingFiles::ByteRows));
    std::optional<QByteArray> rows;
    if (RegularFile::Open(file).isEmpty())
        rows = ReadAtMost(file, qint64(1) << 20);
    if (!rows && reason)
        *reason = file.errorString();
    return rows;
}

// What the conversion just wrote to "bin1.dat" in `folder`.
QByteArray ByteRowsIn(const QString& folder) {
    QString reason;
    std::optional<QByteArray> rows = RowsOnDisk(folder, &reason);
    if (!rows)
        throw Exception(QStringLiteral("Cannot read back \"%1\" after the conversion: %2")
                            .arg(WorkingFiles::ByteRows, reason));
    return *rows;
}

// Puts the logo's cells of `from` onto `to` in place, in one change: whoever holds the preview's
// canvas keeps holding it.
void CopyCells(const TBitmap& from, TBitmap& to) {
    using namespace LogoGeometry;
    std::vector<TCanvas::TPixelAt> pixels;
    pixels.reserve(Width * Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            pixels.push_back(
                {PreviewX(x), PreviewY(y), from.Canvas().Pixel(PreviewX(x), PreviewY(y))});
    to.Canvas().SetPixels(pixels);
}

std::shared_ptr<const TGraphic> CopyOf(const TPicture& picture) {
    return picture.Graphic()->Clone();
}

} // namespace

TLogoDocument::TLogoDocument() {
    drawing_.SetGraphic(std::make_unique<TBitmap>(Templates::BlankDrawing()));
    preview_.SetGraphic(std::make_unique<TBitmap>(Templates::BlankPreview()));
}

QString TLogoDocument::Folder() const {
    return folder_.isEmpty() ? QDir::currentPath() : folder_;
}

QString TLogoDocument::InFolder(const QString& name) const {
    return folder_.isEmpty() ? name : QDir(folder_).filePath(name);
}

void TLogoDocument::SetNames(const QString& pictureName, const QString& logoName) {
    content_.pictureName = pictureName;
    content_.logoName = logoName;
}

void TLogoDocument::BeginStroke(int x, int y, TColor color) {
    TCanvas& canvas = drawing_.Bitmap().Canvas();
    canvas.SetPixel(x, y, color);
    canvas.SetPenColor(color);
    canvas.MoveTo(x, y);
    stroking_ = true;
}

void TLogoDocument::ContinueStroke(int x, int y) {
    if (stroking_)
        drawing_.Bitmap().Canvas().LineTo(x, y);
}

bool TLogoDocument::EndStroke() {
    const bool was = stroking_;
    stroking_ = false;
    return was;
}

bool TLogoDocument::ColourCell(int column, int row, std::int32_t attribute, TColor shown) {
    // A preview larger than the logo (a bigger template) has places no cell owns.
    if (!TColorTable::Contains(column, row))
        return false;
    const std::int32_t before = content_.colors.At(column, row);
    content_.colors.Set(column, row, attribute);
    content_.lit.PaintCell(preview_.Bitmap().Canvas(), column, row, shown);
    return attribute != before;
}

void TLogoDocument::FillColours(std::int32_t attribute) {
    content_.colors.Fill(attribute);
}

// The working files are written first, into `preview`, a copy: when they cannot be, the
// document stays as it was. The preview then shows every cell's lit pixels in the colour the save
// writes for it.
void TLogoDocument::TakeConversion(const TBitmap& drawing, TBitmap& preview,
                                   const TColorTable& colors, const QString& folder,
                                   const ProgressStep& step) {
    ConvertDrawing(drawing, preview, QDir(folder), step);
    foldersWritten_.insert(folder);
    QByteArray rows = ByteRowsIn(folder);
    TLitPixels lit;
    lit.Take(drawing);
    lit.PaintAll(preview.Canvas(), colors);
    CopyCells(preview, preview_.Bitmap());
    content_.colors = colors;
    content_.lit = lit;
    content_.byteRows = std::move(rows);
    content_.byteRowsFolder = folder;
}

void TLogoDocument::Convert(const ProgressStep& step) {
    const TBitmap& drawing = drawing_.Bitmap();
    TBitmap preview = preview_.Bitmap();
    TakeConversion(drawing, preview, content_.colors, Folder(), step);
}

void TLogoDocument::New(const TPicture& drawing, const TPicture& preview, std::int32_t attribute,
                        const QString& pictureName, const QString& logoName) {
    drawing_.SetGraphic(drawing.Graphic());
    preview_.SetGraphic(preview.Graphic());
    content_.lit.Clear();
    content_.colors.Fill(attribute);
    content_.byteRows.reset();
    content_.byteRowsFolder.clear();
    content_.pictureName = pictureName;
    content_.logoName = logoName;
    stroking_ = false;
}

void TLogoDocument::LoadPicture(const QString& fileName) {
    folder_ = QFileInfo(fileName).absolutePath();
    drawing_.LoadFromFile(fileName);
    content_.pictureName = QFileInfo(fileName).fileName();
}

void TLogoDocument::LoadLogo(const QString& fileName, std::int32_t attribute,
                             const ProgressStep& step) {
    folder_ = QFileInfo(fileName).absolutePath();
    const QString name = QFileInfo(fileName).fileName();
    // A BIOS image gives the logo its logo module holds.
    const TEpaLogo logo = ImageLogo::IsImageName(fileName)
                              ? TEpaLogo::Parse(ImageLogo::ReadEpa(fileName), name)
                              : TEpaLogo::Read(fileName);
    if (!logo.FitsEditor())
        throw Exception(QStringLiteral("\"%1\" is a logo of %2 × %3 cells; the editor makes logos "
                                       "of at most %4 × %5 cells.")
                            .arg(name)
                            .arg(logo.Columns())
                            .arg(logo.Rows())
                            .arg(LogoGeometry::Columns)
                            .arg(LogoGeometry::Rows));
    TColorTable colors;
    colors.Fill(attribute);
    for (int r = 0; r < logo.Rows(); ++r)
        for (int c = 0; c < logo.Columns(); ++c)
            colors.Set(c, r, logo.Attribute(c, r));
    const TBitmap drawing = logo.Drawing();
    TBitmap preview = preview_.Bitmap();
    TakeConversion(drawing, preview, colors, Folder(), step);
    drawing_.SetGraphic(&drawing);
    content_.pictureName = name;
    content_.logoName = name;
    stroking_ = false;
}

// The working folder moves to the picture's only once the conversion has written its files
// there: a failed import leaves the document as it was.
void TLogoDocument::Import(TGraphic& picture, const QString& fileName,
                           const TImportOptions& options, const ProgressStep& step) {
    TColorTable colors;
    const TBitmap drawing = ImportPicture(picture, options, colors);
    const QString folder = QFileInfo(fileName).absolutePath();
    TBitmap preview = preview_.Bitmap();
    TakeConversion(drawing, preview, colors, folder, step);
    folder_ = folder;
    drawing_.SetGraphic(&drawing);
    content_.pictureName = QFileInfo(fileName).fileName();
    stroking_ = false;
}

// The rows on disk are the ones the window shows: another program may have written "bin1.dat"
// since, and the logo saved must be the one on screen.
void TLogoDocument::WriteBackByteRows() {
    if (RowsOnDisk(content_.byteRowsFolder) != content_.byteRows) {
        LocalFiles::ReplaceWhole(
            WorkingFiles::In(QDir(content_.byteRowsFolder), WorkingFiles::ByteRows),
            *content_.byteRows);
        foldersWritten_.insert(content_.byteRowsFolder);
    }
}

void TLogoDocument::SaveLogo(const QString& name, const ProgressStep& step) {
    if (!content_.byteRows)
        throw Exception(QStringLiteral("There is no logo to save yet: convert the drawing first."));
    WriteBackByteRows();
    SaveEpa(content_.colors, QDir(content_.byteRowsFolder), QDir(Folder()).filePath(name), step);
    content_.logoName = name;
}

void TLogoDocument::SaveDrawing(const QString& name) {
    const QString file = InFolder(name);
    // Asked first for a plain answer; the write itself never replaces a file either.
    if (QFileInfo::exists(file) || QFileInfo(file).isSymLink())
        throw Exception(
            QStringLiteral("Cannot save the picture as \"%1\": a file of that name already exists.")
                .arg(name));
    BlackAndWhiteLogo(*drawing_.Graphic()).SaveToFile(file);
    content_.pictureName = name;
}

void TLogoDocument::RemoveWorkingFiles() const {
    QSet<QString> folders = foldersWritten_;
    folders.insert(Folder());
    for (const QString& folder : folders)
        for (const QString& name : {WorkingFiles::ByteRows, WorkingFiles::ByteList})
            QFile::remove(WorkingFiles::In(QDir(folder), name));
}

TEditState TLogoDocument::Snapshot(unsigned parts, const TEditState* before) const {
    TEditState state = before ? *before : TEditState{};
    // A stroke still under way (its release went elsewhere) belongs to this step as well.
    if ((parts & stDrawing) || stroking_ || !state.drawing)
        state.drawing = CopyOf(drawing_);
    if ((parts & stPreview) || !state.preview)
        state.preview = CopyOf(preview_);
    TLogoContent content = content_;
    if (before && !(parts & stNames)) {
        content.pictureName = before->content.pictureName;
        content.logoName = before->content.logoName;
    }
    state.content = std::move(content);
    return state;
}

void TLogoDocument::Restore(const TEditState& target, const TEditState& current) {
    const TLogoContent& to = target.content;
    const TLogoContent& from = current.content;
    if (to.byteRows && (to.byteRows != from.byteRows || to.byteRowsFolder != from.byteRowsFolder)) {
        LocalFiles::ReplaceWhole(WorkingFiles::In(QDir(to.byteRowsFolder), WorkingFiles::ByteRows),
                                 *to.byteRows);
        foldersWritten_.insert(to.byteRowsFolder);
    }
    drawing_.SetGraphic(target.drawing.get());
    preview_.SetGraphic(target.preview.get());
    // A name given since without a step of its own (a save) stays, unless the step undone set it.
    const QString pictureName = content_.pictureName;
    const QString logoName = content_.logoName;
    content_ = to;
    if (to.pictureName == from.pictureName)
        content_.pictureName = pictureName;
    if (to.logoName == from.logoName)
        content_.logoName = logoName;
    stroking_ = false;
}
