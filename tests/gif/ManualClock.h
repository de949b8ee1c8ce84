#ifndef VARNEL_TESTS_GIF_MANUALCLOCK_H
#define VARNEL_TESTS_GIF_MANUALCLOCK_H

#include "gif/ThreadedTimer.h"
#include "gif/TimerThread.h"
#include "runtime/ModalPrompts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <atomic>
#include <thread>

// A clock for the timer threads that stands still until the test moves it, so that ticks are
// counted against time the test decides, however fast the machine is. It must outlive the
// timers that sleep by it.
class TManualClock : public TTimerClock {
public:
    TManualClock() { TTimerThread::SetClock(this); }
    ~TManualClock() override { TTimerThread::SetClock(nullptr); }

    Time Now() const override { return Time(std::chrono::milliseconds(now_.load())); }
    bool Runs() const override { return false; }
    void Advance(int milliseconds) {
        now_ += milliseconds;
        TTimerThread::WakeAll();
    }

private:
    std::atomic<qint64> now_ = 1'000'000;
};

// Serves the GUI thread until the timer's thread waits for the clock again, having delivered
// every tick that was due, and the error box of a tick that failed has opened (the application
// opens it one turn of the loop after the failure reached it); false when that takes longer than
// a generous ten seconds.
inline bool Settle(const TThreadedTimer& timer) {
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        if (timer.Idle()) {
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            return true;
        }
        std::this_thread::yield();
    }
    return false;
}

// Answers the application's error boxes, writing down their messages.
class TErrorBoxes {
public:
    TErrorBoxes() {
        TModalPrompts::SetResponder([this](const TPrompt& prompt) {
            if (prompt.kind == TPromptKind::pkError)
                shown.append(prompt.texts.value(0));
            return TPromptAnswer{mrOk, {}};
        });
    }
    ~TErrorBoxes() { TModalPrompts::SetResponder({}); }

    QStringList shown;
};

#endif
