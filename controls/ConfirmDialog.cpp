#include "controls/ConfirmDialog.h"

#include "controls/ConfirmForm.h"

#include <array>

namespace {

// By TDialogLanguage.
const std::array<const char*, DialogLanguageCount> Titles = {
    "Confirmation", "Подтверждение", "Підтвердження", "Confirmation",
    "Confirmação",  "Confirmación",  "Bestätigung",   "Bekræftigelse"};

} // namespace

bool TProConfirmDialog::Execute() {
    TConfirmForm form;
    form.ConditionLabel->SetCaption(condition_);
    form.DescriptionLabel->SetCaption(description_);
    form.QuestionLabel->SetCaption(question_);
    form.setWindowTitle(caption_.isEmpty() ? QString::fromUtf8(Titles[Language()]) : caption_);
    form.YesButton->SetKind(InLanguage(pbkYes, Language()));
    form.NoButton->SetKind(InLanguage(pbkNo, Language()));
    form.CancelButton->SetKind(InLanguage(pbkCancel, Language()));
    form.HelpButton->SetKind(InLanguage(pbkHelp, Language()));
    // Without help the three buttons close up in the middle.
    if (HelpContext() == 0) {
        form.HelpButton->hide();
        form.YesButton->move(65, form.YesButton->y());
        form.NoButton->move(175, form.NoButton->y());
        form.CancelButton->move(285, form.CancelButton->y());
    }
    const int result = ShowModal(form, *form.Bevel, *form.Image, TPromptKind::pkConfirmation,
                                 {condition_, description_, question_});
    cancelled_ = result == mrCancel;
    return result == mrYes;
}
