#include "controls/ConfirmDialog.h"

#include "controls/CommonDialogForm.h"
#include "runtime/Fonts.h"
#include "runtime/ModalPrompts.h"

#include <QPushButton>

TProConfirmDialog::TProConfirmDialog() : font_(MakeFont(QStringLiteral("MS Sans Serif"), 11)) {}

bool TProConfirmDialog::Execute() const {
    const QString title = caption_.isEmpty() ? QStringLiteral("Confirmation") : caption_;
    TCommonDialogForm form(title, QSize(450, 218), font_);
    const QRect bevel = form.AddBevel(QRect(10, 10, 429, 156));
    form.AddPicture(QStyle::SP_MessageBoxQuestion, 15, bevel);
    constexpr Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
    form.AddLabel(QRect(70, 25, 356, 36), condition_, topLeft);
    form.AddLabel(QRect(110, 72, 316, 36), description_, topLeft);
    form.AddLabel(QRect(70, 120, 356, 36), question_, topLeft);
    form.AddButton(QRect(65, 177, 100, 30), QStringLiteral("&Yes"), mrYes)->setDefault(true);
    form.AddButton(QRect(175, 177, 100, 30), QStringLiteral("&No"), mrNo);
    form.AddButton(QRect(285, 177, 100, 30), QStringLiteral("Cancel"), mrCancel);
    return TModalPrompts::ExecuteDialog(TPromptKind::pkConfirmation, form, title,
                                        {condition_, description_, question_}) == mrYes;
}
