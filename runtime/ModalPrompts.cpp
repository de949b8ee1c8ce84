#include "runtime/ModalPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

// Qt reads a filter's patterns from its last parentheses, separated by blanks; our descriptions
// carry them with ";" already, so the description's own parentheses give way to Qt's form.
QString QtNameFilter(const TFileFilter& filter) {
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QString description = filter.description;
    description.remove(trailingPatterns);
    QString patterns = filter.patterns;
    patterns.replace(u';', u' ');
    return QStringLiteral("%1 (%2)").arg(description, patterns);
}

TPromptAnswer AskInputBox(const TPrompt& prompt) {
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(prompt.caption);
    box.setLabelText(prompt.texts.value(0));
    box.setTextValue(prompt.value);
    if (box.exec() != QDialog::Accepted)
        return {};
    return {mrOk, box.textValue()};
}

// The open and save dialogs: an existing file to open, or the name of a new one.
TPromptAnswer AskFileName(const TPrompt& prompt) {
    QFileDialog box(QApplication::activeWindow(), prompt.caption, prompt.value);
    if (prompt.kind == TPromptKind::pkSaveFile) {
        box.setAcceptMode(QFileDialog::AcceptSave);
        box.setFileMode(QFileDialog::AnyFile);
        box.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        box.setFileMode(QFileDialog::ExistingFile);
    }
    QStringList filters;
    for (const TFileFilter& filter : prompt.filters)
        filters.append(QtNameFilter(filter));
    box.setNameFilters(filters);
    if (!filters.isEmpty())
        box.selectNameFilter(filters.first());
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return {};
    return {mrOk, box.selectedFiles().first()};
}

// The error box, and the information box of a message without a dialog window of its own.
TPromptAnswer ShowMessageBox(const TPrompt& prompt) {
    const QMessageBox::Icon icon =
        prompt.kind == TPromptKind::pkError ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, prompt.caption, prompt.texts.value(0), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
    return {mrOk, {}};
}

TPromptAnswer AskPerson(const TPrompt& prompt) {
    switch (prompt.kind) {
    case TPromptKind::pkInputBox:
        return AskInputBox(prompt);
    case TPromptKind::pkOpenPicture:
    case TPromptKind::pkSaveFile:
        return AskFileName(prompt);
    case TPromptKind::pkError:
        return ShowMessageBox(prompt);
    case TPromptKind::pkInformation:
        if (!prompt.dialog)
            return ShowMessageBox(prompt);
        break;
    case TPromptKind::pkConfirmation:
    case TPromptKind::pkChoices:
        break;
    }
    return {static_cast<TModalResult>(prompt.dialog->exec()), {}};
}

} // namespace

void TModalPrompts::SetResponder(Responder responder) {
    CurrentResponder() = std::move(responder);
}

QString TModalPrompts::InputBox(const QString& caption, const QString& prompt,
                                const QString& value) {
    const TPromptAnswer answer = Ask({TPromptKind::pkInputBox, caption, {prompt}, value, {}});
    return answer.result == mrOk ? answer.text : value;
}

std::optional<QString> TModalPrompts::OpenPicture(const QList<TFileFilter>& filters,
                                                  const QString& folder) {
    return FileNamed({TPromptKind::pkOpenPicture, QStringLiteral("Open"), {}, folder, filters});
}

std::optional<QString> TModalPrompts::SaveFile(const QString& caption,
                                               const QList<TFileFilter>& filters,
                                               const QString& folder) {
    return FileNamed({TPromptKind::pkSaveFile, caption, {}, folder, filters});
}

std::optional<QString> TModalPrompts::FileNamed(const TPrompt& prompt) {
    const TPromptAnswer answer = Ask(prompt);
    if (answer.result != mrOk || answer.text.isEmpty())
        return std::nullopt;
    return answer.text;
}

void TModalPrompts::ShowInformation(const QString& caption, const QString& message) {
    Ask({TPromptKind::pkInformation, caption, {message}, {}, {}});
}

void TModalPrompts::ShowError(const QString& caption, const QString& message) {
    Ask({TPromptKind::pkError, caption, {message}, {}, {}});
}

TModalResult TModalPrompts::ExecuteDialog(TPromptKind kind, QDialog& dialog, const QString& caption,
                                          const QStringList& texts) {
    return Ask({kind, caption, texts, {}, {}, &dialog}).result;
}

void TModalPrompts::ShowError(const QString& message) {
    Ask({TPromptKind::pkError, QApplication::applicationDisplayName(), {message}, {}, {}});
}

void TModalPrompts::ShowErrorLater(const QString& message) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [message] { ShowError(message); }, Qt::QueuedConnection);
}

TPromptAnswer TModalPrompts::Ask(const TPrompt& prompt) {
    if (CurrentResponder())
        return CurrentResponder()(prompt);
    return AskPerson(prompt);
}

TModalPrompts::Responder& TModalPrompts::CurrentResponder() {
    static Responder responder;
    return responder;
}
