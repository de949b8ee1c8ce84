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
    } catch (const Exception& error) {
        TModalPrompts::ShowError(error.Message());
    } catch (const std::exception& error) {
        TModalPrompts::ShowError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}
