#ifndef VARNEL_TOOLS_EPATOOL_GUIAPPLICATION_H
#define VARNEL_TOOLS_EPATOOL_GUIAPPLICATION_H

#include <QCoreApplication>
#include <memory>

// A GUI application for the commands that draw text, on the offscreen platform unless the
// environment names one: no display is looked for.
std::unique_ptr<QCoreApplication> StartGuiApplication(int& argc, char** argv);

#endif
