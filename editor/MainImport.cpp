// The editor window's import: a picture of any kind made into the logo in one step.
#include "controls/ShadowLabel.h"
#include "controls/TextListBox.h"
#include "editor/ImportDialog.h"
#include "editor/Main.h"
#include "runtime/Panel.h"
#include "runtime/Picture.h"

#include <QFileInfo>

// The picture is read before anything is asked of its import, so a bad file fails as Load BMP
// fails, and nothing changes unless the user takes the choices and the conversion succeeds.
// Like the other commands that open a window, it waits while an overlay is open.
void TMainForm::Import() {
    if (Panel1->isVisible() || tlb1->isVisible())
        return;
    const std::optional<QString> file = AskPicture();
    if (!file)
        return;
    TPicture picture;
    picture.LoadFromFile(*file);
    TImportDialog dialog(this, *picture.Graphic(), QFileInfo(*file).fileName(),
                         ForegroundAttribute());
    if (!dialog.Execute())
        return;
    const TImportOptions options = dialog.Options();
    WithProgressBar([&](const ProgressStep& step) {
        document_.Import(*picture.Graphic(), *file, options, step);
    });
    ShadowLabel7->SetCaption(document_.Content().pictureName);
    RecordStep(stDrawing | stPreview | stNames);
}
