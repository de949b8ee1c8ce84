// Loaded into the shipped editor with LD_PRELOAD by the test that runs it. Once the program's
// event loop runs, it saves the window the program shows, and that window's icon, as PNG files
// under the folder named by VARNEL_PROBE, then ends the program. The program knows nothing of it.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QWidget>

namespace {

void SaveShownWindow() {
    const QDir folder(qEnvironmentVariable("VARNEL_PROBE"));
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        window->grab().save(folder.filePath(QStringLiteral("window.png")));
        window->windowIcon().pixmap(32).save(folder.filePath(QStringLiteral("icon.png")));
        QCoreApplication::quit();
        return;
    }
    // Not up yet: look again on the next turn of the loop.
    QMetaObject::invokeMethod(QCoreApplication::instance(), SaveShownWindow, Qt::QueuedConnection);
}

void Install() {
    if (qEnvironmentVariableIsSet("VARNEL_PROBE"))
        QMetaObject::invokeMethod(QCoreApplication::instance(), SaveShownWindow,
                                  Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Install)
