#ifndef VARNEL_RUNTIME_MODALRESULT_H
#define VARNEL_RUNTIME_MODALRESULT_H

class QWidget;

// The result a modal window ends with, the same numbers a dialog's exec() gives; mrNone means
// none yet (a button with it ends nothing).
enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrDone = 9,
    mrFinish = 10
};

// A dialog showing modally ends at once with a result other than mrNone; any other window just
// keeps the value.
void SetModalResult(QWidget& window, TModalResult result);
TModalResult ModalResult(const QWidget& window);

#endif
