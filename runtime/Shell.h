#ifndef VARNEL_RUNTIME_SHELL_H
#define VARNEL_RUNTIME_SHELL_H

#include <QString>
#include <QUrl>
#include <functional>

// The desktop's "open" request for an address the user clicked.
class TShell {
public:
    using Opener = std::function<void(const QUrl& url)>;

    // Opens a web address, or a bare mail address as a new mail to it; the desktop's answer is
    // not looked at, as a failed open has nothing useful to tell the user.
    static void Open(const QString& address);
    // Tests take the request instead of the desktop; an empty opener gives it back.
    static void SetOpener(Opener opener);

private:
    static Opener& CurrentOpener();
};

#endif
