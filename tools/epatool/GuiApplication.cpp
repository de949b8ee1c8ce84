#include "tools/epatool/GuiApplication.h"

#include <QGuiApplication>

std::unique_ptr<QCoreApplication> StartGuiApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}
