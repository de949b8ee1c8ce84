#include "runtime/Application.h"

#include "runtime/Exception.h"
#include "runtime/Fonts.h"
#include "runtime/ModalPrompts.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    InstallFontSubstitutes();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        TModalPrompts::ShowErrorLater(MessageOf(failure));
    }
    return false;
}
