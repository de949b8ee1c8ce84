#include "runtime/Screen.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {

QScreen* CurrentScreen() {
    if (const QWidget* active = QApplication::activeWindow(); active && active->screen())
        return active->screen();
    return QGuiApplication::primaryScreen();
}

} // namespace

int TScreen::PixelsPerInch() {
    if (ChosenPixelsPerInch() != 0)
        return ChosenPixelsPerInch();
    const QScreen* screen = CurrentScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

void TScreen::SetPixelsPerInch(int pixelsPerInch) {
    ChosenPixelsPerInch() = pixelsPerInch;
}

QRect TScreen::Centered(const QSize& size) {
    const QScreen* screen = CurrentScreen();
    const QRect bounds = screen ? screen->geometry() : QRect(QPoint(), size);
    return QRect(bounds.topLeft() + QPoint((bounds.width() - size.width()) / 2,
                                           (bounds.height() - size.height()) / 2),
                 size);
}

int& TScreen::ChosenPixelsPerInch() {
    static int pixelsPerInch = 0;
    return pixelsPerInch;
}
