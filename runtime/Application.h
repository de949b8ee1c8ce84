#ifndef VARNEL_RUNTIME_APPLICATION_H
#define VARNEL_RUNTIME_APPLICATION_H

#include <QApplication>

// The application object. A command that fails throws; the exception ends the running handler
// here, at the event loop, where its message is shown in the error box and the loop goes on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

#endif
