#ifndef VARNEL_CONTROLS_CONFIRMFORM_H
#define VARNEL_CONTROLS_CONFIRMFORM_H

#include "controls/CommonDialogForm.h"
#include "controls/ProLabel.h"
#include "runtime/Image.h"

#include <QFrame>

// The confirmation window: a question mark beside three texts in a frame (a condition, the
// description indented below it, the question), and Yes, No, Cancel and Help below the frame.
// Made in English; the dialog component fills in its texts and language.
class TConfirmForm : public TCommonDialogForm {
public:
    TConfirmForm() : TCommonDialogForm(QStringLiteral("Confirmation"), QSize(450, 218)) {}

    QFrame* const Bevel = AddBevel(QRect(10, 10, 429, 156));
    TImage* const Image = AddPicture(QRect(15, 51, 48, 64), QStringLiteral("QUESTIONICON"));
    TProLabel* const ConditionLabel = AddLabel(QRect(70, 25, 356, 36));
    TProLabel* const DescriptionLabel = AddLabel(QRect(110, 72, 316, 36));
    TProLabel* const QuestionLabel = AddLabel(QRect(70, 120, 356, 36));
    TProButton* const YesButton = AddButton(QRect(10, 177, 100, 30), pbkYes);
    TProButton* const NoButton = AddButton(QRect(120, 177, 100, 30), pbkNo);
    TProButton* const CancelButton = AddButton(QRect(230, 177, 100, 30), pbkCancel);
    TProButton* const HelpButton = AddButton(QRect(340, 177, 100, 30), pbkHelp);

    // Without help the three buttons close up in the middle.
    void CloseUpWithoutHelp() {
        HelpButton->hide();
        YesButton->move(65, YesButton->y());
        NoButton->move(175, NoButton->y());
        CancelButton->move(285, CancelButton->y());
    }
};

#endif
