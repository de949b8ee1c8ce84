#ifndef VARNEL_CONTROLS_INFODIALOG_H
#define VARNEL_CONTROLS_INFODIALOG_H

#include "controls/ProCommonDialog.h"
#include "runtime/ControlTypes.h"

#include <QString>

// A message with an information picture and an OK button.
class TProInfoDialog : public TProCommonDialog {
public:
    explicit TProInfoDialog(QWidget* owner = nullptr) : TProCommonDialog(owner) {}

    const QString& InfoMessage() const { return infoMessage_; }
    void SetInfoMessage(const QString& message) { infoMessage_ = message; }
    // Where the message stands in its frame.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { alignment_ = alignment; }
    TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
    void SetVerticalAlignment(TVerticalAlignment alignment) { verticalAlignment_ = alignment; }

    // Returns when the user has closed the dialog.
    void Execute();

private:
    QString infoMessage_;
    TAlignment alignment_ = taLeftJustify;
    TVerticalAlignment verticalAlignment_ = vaCenter;
};

#endif
