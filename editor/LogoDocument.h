#ifndef VARNEL_EDITOR_LOGODOCUMENT_H
#define VARNEL_EDITOR_LOGODOCUMENT_H

#include "editor/EditState.h"
#include "logo/Conversion.h"
#include "logo/ImportOptions.h"
#include "runtime/Picture.h"

#include <QSet>
#include <QString>
#include <cstdint>

class TEpaLogo;

// The logo being made, apart from any window: the drawing and the preview, the colour table, the
// pixels the last conversion lit, the names shown under the pictures, and the folder the working
// files and logos go to. The window shows what it holds and calls its operations; an undo step
// is one snapshot of it.
class TLogoDocument {
public:
    TLogoDocument();

    TPicture& Drawing() { return drawing_; }
    TPicture& Preview() { return preview_; }
    const TLogoContent& Content() const { return content_; }
    const TColorTable& Colors() const { return content_.colors; }
    // Where working files and logos go: the folder of the last picture or logo opened through
    // the dialog, else the folder the program started in (the program never changes its own).
    QString Folder() const;
    // A logo can be saved once a conversion has made one, and until New clears it.
    bool CanSaveLogo() const { return content_.byteRows.has_value(); }
    bool Stroking() const { return stroking_; }

    void BeginStroke(int x, int y, TColor color);
    void ContinueStroke(int x, int y);
    // True when a stroke was under way.
    bool EndStroke();
    // Stores `attribute` for the cell and paints its lit pixels in `shown`; true when the
    // attribute changed.
    bool ColourCell(int column, int row, std::int32_t attribute, TColor shown);
    void FillColours(std::int32_t attribute);

    // The drawing into the logo's cells, through the working files of the working folder. The
    // preview, the table and the rows to save change only once those files are written.
    void Convert(const ProgressStep& step);
    // Both pictures start over from the templates and the table from `attribute`; there is no
    // logo to save until the next conversion.
    void New(const TPicture& drawing, const TPicture& preview, std::int32_t attribute,
             const QString& pictureName, const QString& logoName);
    // The file chosen in the dialog becomes the drawing; its folder becomes the working folder.
    void LoadPicture(const QString& fileName);
    // A logo read back, or the EPA logo in a BIOS image's logo module (.bin, .rom, .awd): its
    // cells into the drawing, the preview and the table (cells it lacks take `attribute`); its
    // folder becomes the working folder.
    void LoadLogo(const QString& fileName, std::int32_t attribute, const ProgressStep& step);
    // `picture`, read from `fileName`, made into the drawing and the table as `options` say,
    // then converted as Convert does; the file's folder becomes the working folder.
    void Import(TGraphic& picture, const QString& fileName, const TImportOptions& options,
                const ProgressStep& step);
    // Writes the logo shown as `name` in the working folder, from the rows of the last conversion.
    void SaveLogo(const QString& name, const ProgressStep& step);
    // Writes the drawing's logo area as a two-colour bitmap `name` in the working folder.
    void SaveDrawing(const QString& name);
    // Exit: the two working files that last, in every folder this run wrote them to.
    void RemoveWorkingFiles() const;

    // The document as it is after a step that changed `parts` (TStepParts); pictures the step
    // did not change are shared with `before`.
    TEditState Snapshot(unsigned parts, const TEditState* before) const;
    // Back to `target` from `current`, the state the history shows now. The rows to save are
    // written back first: when that fails, nothing changes.
    void Restore(const TEditState& target, const TEditState& current);

    // `name` in the working folder; as it stands while that is still the start folder.
    QString InFolder(const QString& name) const;
    // The names the window shows before any step sets them.
    void SetNames(const QString& pictureName, const QString& logoName);

private:
    void TakeConversion(const TBitmap& drawing, TBitmap& preview, const TColorTable& colors,
                        const QString& folder, const ProgressStep& step);
    void WriteBackByteRows();

    TPicture drawing_;
    TPicture preview_;
    TLogoContent content_;
    bool stroking_ = false;
    // Empty until a file is opened through the dialog.
    QString folder_;
    QSet<QString> foldersWritten_;
};

#endif
