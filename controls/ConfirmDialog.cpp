#include "controls/ConfirmDialog.h"

#include "controls/ConfirmForm.h"

namespace {

const TDialogLanguageTexts Titles = {"Confirmation", "Подтверждение", "Підтвердження",
                                     "Confirmation", "Confirmação",   "Confirmación",
                                     "Bestätigung",  "Bekræftigelse"};

} // namespace

bool TProConfirmDialog::Execute() {
    TConfirmForm form;
    form.ConditionLabel->SetCaption(condition_);
    form.DescriptionLabel->SetCaption(description_);
    form.QuestionLabel->SetCaption(question_);
    form.YesButton->SetKind(InLanguage(pbkYes, Language()));
    form.NoButton->SetKind(InLanguage(pbkNo, Language()));
    form.CancelButton->SetKind(InLanguage(pbkCancel, Language()));
    const TModalResult result = TProCommonDialog::Execute(form, Titles, TPromptKind::pkConfirmation,
                                                          {condition_, description_, question_});
    cancelled_ = result == mrCancel;
    return result == mrYes;
}
