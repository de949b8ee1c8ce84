#include "tools/epatool/QtApplication.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

namespace {

int* savedArgc = nullptr;
char** savedArgv = nullptr;
std::unique_ptr<QCoreApplication> application;

// Platform chatter (a missing XDG_RUNTIME_DIR, a picture reader's notes) is no concern of a
// script's; critical and fatal messages still go through.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "epatool: %s\n", qPrintable(message));
}

} // namespace

TQtApplication::TQtApplication(int& argc, char** argv) {
    savedArgc = &argc;
    savedArgv = argv;
    qInstallMessageHandler(QuietMessages);
}

TQtApplication::~TQtApplication() {
    application.reset();
}

void TQtApplication::Start(TQtNeeds needs) {
    if (application)
        return;
    if (needs == TQtNeeds::Core) {
        application = std::make_unique<QCoreApplication>(*savedArgc, savedArgv);
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(*savedArgc, savedArgv);
}
