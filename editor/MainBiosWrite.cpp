// Ctrl+Shift+R: the window's logo written into a copy of a BIOS image, at the size of the
// image's stock logo, through the same replacement and proof as epatool's rom replace.
#include "controls/ConfirmDialog.h"
#include "controls/TextListBox.h"
#include "editor/BiosView.h"
#include "editor/Main.h"
#include "logo/EpaLogo.h"
#include "rom/AwardImage.h"
#include "rom/ImageLogo.h"
#include "rom/LogoReplacement.h"
#include "runtime/Exception.h"
#include "runtime/ModalPrompts.h"
#include "runtime/Panel.h"

#include <QFileInfo>

namespace {

const QString Caption = QStringLiteral("Write into a BIOS image");

QList<TFileFilter> ImageFilters() {
    return {TMainForm::BiosImageFilter(), {QStringLiteral("All files (*)"), QStringLiteral("*")}};
}

// The BIOS view shows the cells that go in while the user decides.
bool ConfirmCrop(QWidget* owner, const QString& imageName, const TEpaLogo& crop) {
    TProConfirmDialog dialog(owner);
    dialog.SetCaption(Caption);
    dialog.SetCondition(QStringLiteral("\"%1\" takes a logo of %2 x %3 cells.")
                            .arg(QFileInfo(imageName).fileName())
                            .arg(crop.Columns())
                            .arg(crop.Rows()));
    dialog.SetDescription(QStringLiteral("The BIOS view shows your logo's top-left %1 x %2 "
                                         "cells as they go into a copy of the image.")
                              .arg(crop.Columns())
                              .arg(crop.Rows()));
    dialog.SetQuestion(QStringLiteral("Write them, with the image's emblem kept?"));
    return dialog.Execute();
}

QString Report(const TWrittenImage& written) {
    QString report =
        QStringLiteral("Wrote \"%1\".\n\nIts logo module \"%2\" now holds an EPA logo of %3 x %4 "
                       "cells (%5 bytes, %6 packed), the stock emblem kept.\nFree space left: %7 "
                       "bytes.\nImage checksum: %8, rewritten.\nEvery module was read back from "
                       "the disk and checked.")
            .arg(written.output, QString::fromLatin1(written.moduleName))
            .arg(written.logo.Columns())
            .arg(written.logo.Rows())
            .arg(written.unpacked)
            .arg(written.packed)
            .arg(written.freeBytes)
            .arg(written.checksumRule);
    for (const QString& warning : written.warnings)
        report += QStringLiteral("\n\nWarning: %1.").arg(warning);
    return report;
}

} // namespace

TFileFilter TMainForm::BiosImageFilter() {
    return {QStringLiteral("BIOS image (*.bin *.rom *.awd)"), QStringLiteral("*.bin;*.rom;*.awd")};
}

// Every refusal raises its message, which the application's error box shows; nothing is
// written until the user has seen the crop and named a new file.
void TMainForm::WriteIntoBiosImage() {
    if (Panel1->isVisible() || tlb1->isVisible())
        return;
    if (!document_.CanSaveLogo())
        throw Exception(QStringLiteral("There is no logo to write yet: convert the drawing or "
                                       "load a logo first."));
    const std::optional<QString> input =
        TModalPrompts::OpenPicture(ImageFilters(), document_.Folder());
    if (!input)
        return;
    const TAwardImage image = TAwardImage::Read(*input);
    const TEpaLogo crop = ImageLogo::AtStockSize(
        image, TEpaLogo::Compose(document_.Colors(), *document_.Content().byteRows));
    BiosView1->ShowBeside();
    BiosView1->SetLogo(crop);
    const bool confirmed = ConfirmCrop(this, *input, crop);
    RefreshBiosView();
    if (!confirmed)
        return;
    const std::optional<QString> output =
        TModalPrompts::SaveFile(Caption, ImageFilters(), QFileInfo(*input).path());
    if (!output)
        return;
    const TWrittenImage written = LogoReplacement::WriteCopy(
        image, crop.Bytes(), QStringLiteral("the editor's logo"), *output, {});
    TModalPrompts::ShowInformation(Caption, Report(written));
}
