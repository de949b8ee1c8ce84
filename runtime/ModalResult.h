#ifndef VARNEL_RUNTIME_MODALRESULT_H
#define VARNEL_RUNTIME_MODALRESULT_H

class QWidget;

// The result a window ends with (a TModalResult, or 0 for none yet). A dialog showing modally
// ends at once with a non-zero result; any other window just keeps the value.
void SetModalResult(QWidget& window, int result);
int ModalResult(const QWidget& window);

#endif
