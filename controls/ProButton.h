#ifndef VARNEL_CONTROLS_PROBUTTON_H
#define VARNEL_CONTROLS_PROBUTTON_H

#include "controls/DialogLanguage.h"
#include "runtime/ModalResult.h"

#include <QPushButton>

// What a dialog button is: a family (OK, then Cancel, Help, Yes, No, Close, Abort, Retry,
// Ignore, All, Done, Prev, Next, Finish), each but OK in English followed by its Russian,
// Ukrainian, French, Portuguese, Spanish, German and Danish variants.
enum TProButtonKind {
    pbkCustom,
    pbkOk,
    pbkCancel,
    pbkCancelRus,
    pbkCancelUkr,
    pbkCancelFr,
    pbkCancelPor,
    pbkCancelEsp,
    pbkCancelGer,
    pbkCancelDan,
    pbkHelp,
    pbkHelpRus,
    pbkHelpUkr,
    pbkHelpFr,
    pbkHelpPor,
    pbkHelpEsp,
    pbkHelpGer,
    pbkHelpDan,
    pbkYes,
    pbkYesRus,
    pbkYesUkr,
    pbkYesFr,
    pbkYesPor,
    pbkYesEsp,
    pbkYesGer,
    pbkYesDan,
    pbkNo,
    pbkNoRus,
    pbkNoUkr,
    pbkNoFr,
    pbkNoPor,
    pbkNoEsp,
    pbkNoGer,
    pbkNoDan,
    pbkClose,
    pbkCloseRus,
    pbkCloseUkr,
    pbkCloseFr,
    pbkClosePor,
    pbkCloseEsp,
    pbkCloseGer,
    pbkCloseDan,
    pbkAbort,
    pbkAbortRus,
    pbkAbortUkr,
    pbkAbortFr,
    pbkAbortPor,
    pbkAbortEsp,
    pbkAbortGer,
    pbkAbortDan,
    pbkRetry,
    pbkRetryRus,
    pbkRetryUkr,
    pbkRetryFr,
    pbkRetryPor,
    pbkRetryEsp,
    pbkRetryGer,
    pbkRetryDan,
    pbkIgnore,
    pbkIgnoreRus,
    pbkIgnoreUkr,
    pbkIgnoreFr,
    pbkIgnorePor,
    pbkIgnoreEsp,
    pbkIgnoreGer,
    pbkIgnoreDan,
    pbkAll,
    pbkAllRus,
    pbkAllUkr,
    pbkAllFr,
    pbkAllPor,
    pbkAllEsp,
    pbkAllGer,
    pbkAllDan,
    pbkDone,
    pbkDoneRus,
    pbkDoneUkr,
    pbkDoneFr,
    pbkDonePor,
    pbkDoneEsp,
    pbkDoneGer,
    pbkDoneDan,
    pbkPrev,
    pbkPrevRus,
    pbkPrevUkr,
    pbkPrevFr,
    pbkPrevPor,
    pbkPrevEsp,
    pbkPrevGer,
    pbkPrevDan,
    pbkNext,
    pbkNextRus,
    pbkNextUkr,
    pbkNextFr,
    pbkNextPor,
    pbkNextEsp,
    pbkNextGer,
    pbkNextDan,
    pbkFinish,
    pbkFinishRus,
    pbkFinishUkr,
    pbkFinishFr,
    pbkFinishPor,
    pbkFinishEsp,
    pbkFinishGer,
    pbkFinishDan,
};

// The kind of `family` (its English kind) in `language`.
constexpr TProButtonKind InLanguage(TProButtonKind family, TDialogLanguage language) {
    return static_cast<TProButtonKind>(static_cast<int>(family) + static_cast<int>(language));
}

// A dialog's push button. Its kind gives it a caption, a modal result and the Default (Enter
// presses it) and Cancel (Escape presses it) roles; changing any of those makes it pbkCustom.
// A click ends the dialog with the modal result, except that a Help button asks for the
// nearest help topic instead, when there is one, and a Close button closes its window.
class TProButton : public QPushButton {
    Q_OBJECT
public:
    explicit TProButton(QWidget* parent);

    TProButtonKind Kind() const { return kind_; }
    // A kind other than the current one and pbkCustom replaces caption, result and roles.
    void SetKind(TProButtonKind kind);
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result);
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel);
    // 0: the window's topic applies.
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }

    // The caption a kind gives, "&" marking the access key.
    static QString KindCaption(TProButtonKind kind);

private:
    void Clicked();
    // Forgets the kind once the button no longer acts as that kind.
    void KeepKindIfStillTrue();
    // The first non-zero help context from this button up through its parents.
    int HelpTopic() const;

    TProButtonKind kind_ = pbkCustom;
    TModalResult modalResult_ = mrNone;
    bool default_ = false;
    bool cancel_ = false;
    int helpContext_ = 0;
};

#endif
