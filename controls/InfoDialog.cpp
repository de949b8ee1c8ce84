#include "controls/InfoDialog.h"

#include "controls/InfoForm.h"

namespace {

const TDialogLanguageTexts Titles = {"Information", "Информация",  "Інформація",  "Information",
                                     "Informação",  "Información", "Information", "Information"};

} // namespace

void TProInfoDialog::Execute() {
    TInfoForm form;
    form.InfoLabel->SetCaption(infoMessage_);
    form.InfoLabel->SetAlignment(alignment_);
    form.InfoLabel->SetVerticalAlignment(verticalAlignment_);
    // OK is OK in every language.
    TProCommonDialog::Execute(form, Titles, TPromptKind::pkInformation, {infoMessage_});
}
