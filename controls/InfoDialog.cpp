#include "controls/InfoDialog.h"

#include "controls/InfoForm.h"

#include <array>

namespace {

// By TDialogLanguage.
const std::array<const char*, DialogLanguageCount> Titles = {
    "Information", "Информация",  "Інформація",  "Information",
    "Informação",  "Información", "Information", "Information"};

} // namespace

void TProInfoDialog::Execute() {
    TInfoForm form;
    form.InfoLabel->SetCaption(infoMessage_);
    form.InfoLabel->SetAlignment(alignment_);
    form.InfoLabel->SetVerticalAlignment(verticalAlignment_);
    form.setWindowTitle(caption_.isEmpty() ? QString::fromUtf8(Titles[Language()]) : caption_);
    // OK is OK in every language.
    form.HelpButton->SetKind(InLanguage(pbkHelp, Language()));
    if (HelpContext() == 0) {
        form.HelpButton->hide();
        form.OKButton->move(151, form.OKButton->y());
    }
    ShowModal(form, *form.Bevel, *form.Image, TPromptKind::pkInformation, {infoMessage_});
}
