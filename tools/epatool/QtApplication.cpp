#include "tools/epatool/QtApplication.h"

#include <cstdio>

namespace {

int* savedArgc = nullptr;
char** savedArgv = nullptr;
TGuiStart guiStart = nullptr;
std::unique_ptr<QCoreApplication> application;

// Platform chatter (a missing XDG_RUNTIME_DIR, a picture reader's notes) is no concern of a
// script's; critical and fatal messages still go through.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "epatool: %s\n", qPrintable(message));
}

} // namespace

TQtApplication::TQtApplication(int& argc, char** argv, TGuiStart startGui) {
    savedArgc = &argc;
    savedArgv = argv;
    guiStart = startGui;
    qInstallMessageHandler(QuietMessages);
}

TQtApplication::~TQtApplication() {
    application.reset();
}

void TQtApplication::Start(TQtNeeds needs) {
    if (application)
        return;
    if (needs == TQtNeeds::Fonts && guiStart)
        application = guiStart(*savedArgc, savedArgv);
    else
        application = std::make_unique<QCoreApplication>(*savedArgc, savedArgv);
}
