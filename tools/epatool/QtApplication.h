#ifndef VARNEL_TOOLS_EPATOOL_QTAPPLICATION_H
#define VARNEL_TOOLS_EPATOOL_QTAPPLICATION_H

// What a command needs of Qt: reading and writing logos and pictures takes only Qt Core, which
// starts in a fraction of the time and memory; drawing a metafile's text needs the font
// database, and so a GUI application (on the offscreen platform unless the environment names
// one).
enum class TQtNeeds { Core, Fonts };

// The run's one Qt application object, made by the command once it knows what it needs. While
// this lives Qt's own diagnostics stay off stderr: epatool says what went wrong itself.
class TQtApplication {
public:
    TQtApplication(int& argc, char** argv);
    ~TQtApplication();
    TQtApplication(const TQtApplication&) = delete;
    TQtApplication& operator=(const TQtApplication&) = delete;

    // Makes the application; a second call keeps the first one's.
    static void Start(TQtNeeds needs);
};

#endif
