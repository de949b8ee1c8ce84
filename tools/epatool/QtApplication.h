#ifndef VARNEL_TOOLS_EPATOOL_QTAPPLICATION_H
#define VARNEL_TOOLS_EPATOOL_QTAPPLICATION_H

#include <QCoreApplication>
#include <memory>

// What a command needs of Qt: reading and writing logos and pictures takes only Qt Core, which
// starts in a fraction of the time and memory; drawing a metafile's text needs the font
// database, and so a GUI application.
enum class TQtNeeds { Core, Fonts };

// Makes the GUI application for a command that needs fonts. A program without one (the front
// that links Qt Core alone) runs no such command.
using TGuiStart = std::unique_ptr<QCoreApplication> (*)(int& argc, char** argv);

// The run's one Qt application object, made by the command once it knows what it needs. While
// this lives Qt's own diagnostics stay off stderr: epatool says what went wrong itself.
class TQtApplication {
public:
    TQtApplication(int& argc, char** argv, TGuiStart startGui = nullptr);
    ~TQtApplication();
    TQtApplication(const TQtApplication&) = delete;
    TQtApplication& operator=(const TQtApplication&) = delete;

    // Makes the application; a second call keeps the first one's.
    static void Start(TQtNeeds needs);
};

#endif
