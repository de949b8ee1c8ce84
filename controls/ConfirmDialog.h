#ifndef VARNEL_CONTROLS_CONFIRMDIALOG_H
#define VARNEL_CONTROLS_CONFIRMDIALOG_H

#include "controls/ProCommonDialog.h"

#include <QString>

// A yes / no / cancel question with a question-mark picture: a condition line at the top, the
// description indented below it and the question at the bottom.
class TProConfirmDialog : public TProCommonDialog {
public:
    explicit TProConfirmDialog(QWidget* owner = nullptr) : TProCommonDialog(owner) {}

    const QString& Condition() const { return condition_; }
    void SetCondition(const QString& condition) { condition_ = condition; }
    const QString& Description() const { return description_; }
    void SetDescription(const QString& description) { description_ = description; }
    const QString& Question() const { return question_; }
    void SetQuestion(const QString& question) { question_ = question; }
    // Whether the last execution ended with Cancel (the Cancel button or the close box).
    bool Cancelled() const { return cancelled_; }

    // True only when the user answers Yes (by click, access key or Enter); No, Cancel, Escape
    // and closing the window say no.
    bool Execute();

private:
    QString condition_;
    QString description_;
    QString question_;
    bool cancelled_ = false;
};

#endif
