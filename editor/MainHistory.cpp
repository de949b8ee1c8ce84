// The editor window's undo history and its BIOS view: hooks the handlers call after each step.
#include "controls/ShadowLabel.h"
#include "controls/TextButton.h"
#include "controls/TextListBox.h"
#include "editor/BiosView.h"
#include "editor/Main.h"
#include "logo/EpaLogo.h"
#include "logo/WorkingFiles.h"
#include "runtime/Exception.h"
#include "runtime/Image.h"
#include "runtime/LocalFiles.h"
#include "runtime/Panel.h"
#include "runtime/Shortcuts.h"
#include "runtime/StreamBytes.h"

#include <QComboBox>
#include <QFile>

namespace {

std::shared_ptr<const TGraphic> CopyOf(TImage& image) {
    return image.Picture().Graphic()->Clone();
}

// What the conversion just wrote, to be written back when an undo or a redo returns to it.
QByteArray ByteRowsWritten() {
    QFile file(WorkingFiles::ByteRows);
    std::optional<QByteArray> rows;
    if (file.open(QIODevice::ReadOnly))
        rows = ReadAtMost(file, qint64(1) << 20);
    if (!rows)
        throw Exception(QStringLiteral("Cannot read back \"%1\" after the conversion: %2")
                            .arg(WorkingFiles::ByteRows, file.errorString()));
    return *rows;
}

} // namespace

void TMainForm::StartHistory() {
    BiosView1 = new TBiosView(this);
    Image2->OnDblClick = [this](TControl&) { ShowBiosView(); };
    Shortcuts::Add(*this, QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { Undo(); });
    Shortcuts::Add(*this, QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { Redo(); });
    Shortcuts::Add(*this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { Redo(); });
    Shortcuts::Add(*this, QKeySequence(Qt::CTRL | Qt::Key_B), [this] { ShowBiosView(); });
    // The language list keeps the focus while the user draws.
    Shortcuts::PreferOver(*ComboBox1);
    RecordStep(stDrawing | stPreview | stNames);
}

void TMainForm::RecordStep(unsigned parts) {
    TEditState state = history_.Empty() ? TEditState{} : history_.Current();
    // A stroke still under way (its release went elsewhere) belongs to this step as well.
    if ((parts & stDrawing) || drawing_)
        state.drawing = CopyOf(*Image1);
    if (parts & stPreview)
        state.preview = CopyOf(*Image2);
    state.colors = colorTable_;
    state.lit = lit_;
    if (parts & stByteRows)
        state.byteRows = ByteRowsWritten();
    if (parts & stNames) {
        state.pictureName = ShadowLabel7->Caption();
        state.logoName = ShadowLabel8->Caption();
    }
    history_.Record(std::move(state));
    RefreshBiosView();
}

// "bin1.dat" is written first: when that fails, the window stays as it is.
void TMainForm::Restore(const TEditState& state) {
    if (state.byteRows && state.byteRows != history_.Current().byteRows) {
        LocalFiles::MakeWayFor(WorkingFiles::ByteRows);
        LocalFiles::WriteNewFile(WorkingFiles::ByteRows, *state.byteRows);
    }
    sohoTextButton6->SetEnabled(state.byteRows.has_value());
    Image1->Picture().SetGraphic(state.drawing.get());
    Image2->Picture().SetGraphic(state.preview.get());
    colorTable_ = state.colors;
    lit_ = state.lit;
    drawing_ = false;
    const TEditState& now = history_.Current();
    const QString language = ComboBox1->currentText().left(2);
    if (state.pictureName != now.pictureName)
        ShadowLabel7->SetCaption(
            Captions::InLanguage(state.pictureName, Captions::PictureName, language));
    if (state.logoName != now.logoName)
        ShadowLabel8->SetCaption(
            Captions::InLanguage(state.logoName, Captions::LogoName, language));
}

void TMainForm::Undo() {
    GoThroughHistory(true);
}

void TMainForm::Redo() {
    GoThroughHistory(false);
}

void TMainForm::GoThroughHistory(bool back) {
    // The help covers the whole window: a change under it would go unseen.
    if (tlb1->isVisible())
        return;
    // A stroke under way ends here, and is the step undone.
    if (drawing_)
        RecordStep(stDrawing);
    const TEditState* target = back ? history_.Before() : history_.After();
    if (!target)
        return;
    Restore(*target);
    if (back)
        history_.StepBack();
    else
        history_.StepForward();
    RefreshBiosView();
}

// Like the other commands that open a window, it waits while an overlay is open.
void TMainForm::ShowBiosView() {
    if (Panel1->isVisible() || tlb1->isVisible())
        return;
    BiosView1->ShowBeside();
    RefreshBiosView();
}

// A hidden view is brought up to date when it is shown: every step need not compose the logo.
void TMainForm::RefreshBiosView() {
    if (BiosView1 && BiosView1->isVisible())
        BiosView1->SetLogo(
            TEpaLogo::Compose(colorTable_, history_.Current().byteRows.value_or(QByteArray())));
}
