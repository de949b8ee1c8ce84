#include "runtime/Shell.h"

#include <QDesktopServices>

namespace {

// A mail address has an "@" and neither a scheme nor a path; the desktop needs mailto: to know
// it is one. Anything else is taken as the user would type it in a browser.
QUrl UrlFor(const QString& address) {
    if (address.contains(u'@') && !address.contains(u':') && !address.contains(u'/'))
        return QUrl(QStringLiteral("mailto:") + address);
    return QUrl::fromUserInput(address);
}

} // namespace

void TShell::Open(const QString& address) {
    const QUrl url = UrlFor(address);
    if (CurrentOpener())
        CurrentOpener()(url);
    else
        QDesktopServices::openUrl(url);
}

void TShell::SetOpener(Opener opener) {
    CurrentOpener() = std::move(opener);
}

TShell::Opener& TShell::CurrentOpener() {
    static Opener opener;
    return opener;
}
