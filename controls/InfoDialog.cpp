#include "controls/InfoDialog.h"

#include "controls/CommonDialogForm.h"
#include "runtime/Fonts.h"
#include "runtime/ModalPrompts.h"

#include <QPushButton>

TProInfoDialog::TProInfoDialog() : font_(MakeFont(QStringLiteral("MS Sans Serif"), 11)) {}

void TProInfoDialog::Execute() const {
    const QString title = caption_.isEmpty() ? QStringLiteral("Information") : caption_;
    TCommonDialogForm form(title, QSize(402, 169), font_);
    const QRect bevel = form.AddBevel(QRect(10, 10, 381, 106));
    form.AddPicture(QStyle::SP_MessageBoxInformation, 15, bevel);
    form.AddLabel(QRect(70, 20, 311, 86), infoMessage_,
                  HorizontalAlignment(alignment_) | Qt::AlignVCenter);
    form.AddButton(QRect(151, 128, 100, 30), QStringLiteral("OK"), mrOk)->setDefault(true);
    TModalPrompts::ExecuteDialog(TPromptKind::pkInformation, form, title, {infoMessage_});
}
