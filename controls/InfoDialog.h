#ifndef VARNEL_CONTROLS_INFODIALOG_H
#define VARNEL_CONTROLS_INFODIALOG_H

#include "runtime/ControlTypes.h"

#include <QFont>
#include <QString>

// A message with an information picture and an OK button. The component holds the settings;
// each execution builds the window, shows it modally and destroys it.
class TProInfoDialog {
public:
    TProInfoDialog();

    // The window title; empty gives "Information".
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }
    const QString& InfoMessage() const { return infoMessage_; }
    void SetInfoMessage(const QString& message) { infoMessage_ = message; }
    // Horizontal placement of the message, which is always centred vertically.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { alignment_ = alignment; }
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }

    // Returns when the user has closed the dialog.
    void Execute() const;

private:
    QString caption_;
    QString infoMessage_;
    TAlignment alignment_ = taLeftJustify;
    QFont font_;
};

#endif
