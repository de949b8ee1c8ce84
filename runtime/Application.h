#ifndef VARNEL_RUNTIME_APPLICATION_H
#define VARNEL_RUNTIME_APPLICATION_H

#include <QApplication>

// The application object. A command that fails throws; the exception ends the running handler
// here, at the event loop. Its message is shown in the error box once the event that failed has
// been delivered, so that no press, mouse grab or paint is left half done behind the box.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

#endif
