#ifndef VARNEL_RUNTIME_MODALPROMPTS_H
#define VARNEL_RUNTIME_MODALPROMPTS_H

#include "runtime/ModalResult.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;

// pkChoices: a dialog of the program's own whose choices the one who answers sets on its widgets.
enum class TPromptKind {
    pkInputBox,
    pkOpenPicture,
    pkSaveFile,
    pkConfirmation,
    pkInformation,
    pkError,
    pkChoices
};

// One entry of an open dialog's filter list: "Bitmaps (*.bmp)" and "*.bmp".
struct TFileFilter {
    QString description;
    QString patterns; // separated by ";"
};

// What the program asks the user, as a responder sees it.
struct TPrompt {
    TPromptKind kind = TPromptKind::pkInputBox;
    QString caption;
    QStringList texts; // the texts shown, top to bottom
    QString value; // input box: the default text; open and save dialogs: the folder they open in
    QList<TFileFilter> filters; // open and save dialogs: the first one is selected
    QDialog* dialog =
        nullptr; // confirmation, information, choices: the window built for it, if any
};

// How the user answered and, for mrOk, the text typed or the file chosen.
struct TPromptAnswer {
    TModalResult result = mrCancel;
    QString text;
};

// Every modal question the program asks goes through here. The shipped program always asks a
// person; a test installs a responder that answers instead and sees what was asked.
class TModalPrompts {
public:
    using Responder = std::function<TPromptAnswer(const TPrompt& prompt)>;
    // An empty responder gives the questions back to the user.
    static void SetResponder(Responder responder);

    // The edited text on OK; the default text on Cancel or when the box is closed.
    static QString InputBox(const QString& caption, const QString& prompt, const QString& value);
    // The file chosen in a dialog that opens in `folder`; nothing when cancelled. The process's
    // current folder stays as it is: whoever asks keeps its own.
    static std::optional<QString> OpenPicture(const QList<TFileFilter>& filters,
                                              const QString& folder);
    // The name given for a new file in a save dialog that opens in `folder`; nothing when
    // cancelled. The dialog does not offer to replace a file: whoever writes refuses that.
    static std::optional<QString>
    SaveFile(const QString& caption, const QList<TFileFilter>& filters, const QString& folder);
    // A message box with an information sign and a caption of its own.
    static void ShowInformation(const QString& caption, const QString& message);
    // An error box with a caption of its own, for failures a component reports itself.
    static void ShowError(const QString& caption, const QString& message);
    // Shows a dialog window modally and gives the result it ended with.
    static TModalResult ExecuteDialog(TPromptKind kind, QDialog& dialog, const QString& caption,
                                      const QStringList& texts);
    static void ShowError(const QString& message);
    // The error box for a failure met while an event was delivered: it opens after that event,
    // from the event loop, never in the middle of a paint or a mouse press.
    static void ShowErrorLater(const QString& message);

private:
    static TPromptAnswer Ask(const TPrompt& prompt);
    // The file an open or save dialog gave; nothing when cancelled.
    static std::optional<QString> FileNamed(const TPrompt& prompt);
    static Responder& CurrentResponder();
};

#endif
