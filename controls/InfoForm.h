#ifndef VARNEL_CONTROLS_INFOFORM_H
#define VARNEL_CONTROLS_INFOFORM_H

#include "controls/CommonDialogForm.h"
#include "controls/ProLabel.h"
#include "runtime/Image.h"

#include <QFrame>

// The information window: an "i" beside the message in a frame, OK and Help below the frame.
// Made in English; the dialog component fills in its text and language.
class TInfoForm : public TCommonDialogForm {
public:
    TInfoForm() : TCommonDialogForm(QStringLiteral("Information"), QSize(402, 169)) {}

    QFrame* const Bevel = AddBevel(QRect(10, 10, 381, 106));
    TImage* const Image = AddPicture(QRect(15, 29, 48, 64), QStringLiteral("INFORMATIONICON"));
    TProLabel* const InfoLabel = AddLabel(QRect(70, 20, 311, 86));
    TProButton* const OKButton = AddButton(QRect(94, 128, 100, 30), pbkOk);
    TProButton* const HelpButton = AddButton(QRect(208, 128, 100, 30), pbkHelp);

    // Without help OK stands alone in the middle.
    void CloseUpWithoutHelp() {
        HelpButton->hide();
        OKButton->move(151, OKButton->y());
    }
};

#endif
