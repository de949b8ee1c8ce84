#ifndef VARNEL_CONTROLS_CONFIRMDIALOG_H
#define VARNEL_CONTROLS_CONFIRMDIALOG_H

#include <QFont>
#include <QString>

// A yes / no / cancel question with a question-mark picture: a condition line at the top, the
// description indented below it and the question at the bottom. The component holds the
// settings; each execution builds the window, shows it modally and destroys it.
class TProConfirmDialog {
public:
    TProConfirmDialog();

    // The window title; empty gives "Confirmation".
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }
    const QString& Condition() const { return condition_; }
    void SetCondition(const QString& condition) { condition_ = condition; }
    const QString& Description() const { return description_; }
    void SetDescription(const QString& description) { description_ = description; }
    const QString& Question() const { return question_; }
    void SetQuestion(const QString& question) { question_ = question; }
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }

    // True only when the user answers Yes; No, Cancel, Escape and closing the window say no.
    bool Execute() const;

private:
    QString caption_;
    QString condition_;
    QString description_;
    QString question_;
    QFont font_;
};

#endif
