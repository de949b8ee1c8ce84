// Loaded with LD_PRELOAD into a program the start-up benchmark starts. When the program's first
// window has painted its first frame, it prints the monotonic clock and the window's size as
// "painted NANOSECONDS WIDTHxHEIGHT" and ends the program at once, so that both the time and the
// peak memory stand as they were at that frame. The program knows nothing of it.

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class TFirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Paint || !widget || seen_)
            return false;
        seen_ = true;
        // The first widget painted starts the window's first pass, which paints the rest and
        // flushes before the loop turns again: then the frame is whole. (A window covered by its
        // children may get no paint event of its own.)
        QWidget* window = widget->window();
        QMetaObject::invokeMethod(
            this, [window] { Report(window->size()); }, Qt::QueuedConnection);
        return false;
    }

private:
    static void Report(QSize size) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("painted %lld %dx%d\n", now.tv_sec * 1000000000LL + now.tv_nsec, size.width(),
                    size.height());
        std::fflush(stdout);
        std::_Exit(0);
    }

    bool seen_ = false;
};

void Install() {
    if (qEnvironmentVariableIsSet("VARNEL_STARTUP_PROBE"))
        qApp->installEventFilter(new TFirstPaint);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Install)
