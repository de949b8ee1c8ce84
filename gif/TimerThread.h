#ifndef VARNEL_GIF_TIMERTHREAD_H
#define VARNEL_GIF_TIMERTHREAD_H

#include "gif/TimerClock.h"

#include <QThread>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>

class TThreadedTimer;

// The thread of one TThreadedTimer. It sleeps the current interval, then delivers a tick: handed
// to the thread that made it (the GUI thread), waiting until the tick has run, or run here when
// the timer says so. It is made paused and serves its timer for the timer's whole life.
//
// Pausing holds the thread where it is: a sleep under way keeps its due time, so a pause that
// ends before then leaves the tick on time and one that ends later lets it come at once. The
// interval is read at the start of each sleep.
class TTimerThread : public QThread {
    Q_OBJECT
public:
    explicit TTimerThread(TThreadedTimer& owner);
    // Ends the thread (End).
    ~TTimerThread() override;

    quint32 Interval() const;
    void SetInterval(quint32 interval);
    bool Paused() const;
    void Pause();
    // Runs again at `priority`; the first call starts the thread.
    void Resume(Priority priority);
    // Tells the thread to end and forgets the owner: no tick is delivered after this, and the
    // thread ends as soon as it is scheduled.
    void Finish();
    // Finishes the thread and waits until it has ended: at once wherever it sleeps or waits for
    // the GUI thread, but a tick that runs in the thread itself is waited for.
    void End();

    // Called from this thread: runs `call` on the GUI thread and waits until it has run; a call
    // still waiting when the thread is told to end is dropped. Called from any other thread: runs
    // `call` at once.
    void Synchronize(const std::function<void()>& call);

    // The thread waits for its clock or for its owner to arm it, with no tick under way.
    bool Idle() const;
    // The caller runs inside a tick of this thread: in the thread itself, or in a call it handed
    // to the GUI thread. Such a caller must not destroy the thread object.
    bool InTick() const;

    // The clock every timer thread sleeps by; nullptr brings back the steady clock.
    static void SetClock(const TTimerClock* clock);
    // Makes every timer thread look at the clock again (after a hand-moved clock was moved).
    static void WakeAll();

protected:
    void run() override;

private slots:
    // On the GUI thread: the call handed off.
    void RunHandOff();
    // On the GUI thread: a tick that failed in this thread fails again where the application's
    // error handling sees it.
    void RaiseFailure();

private:
    static const TTimerClock& Clock();
    bool Ending() const { return terminated_ || !owner_; }
    bool CanGo() const;
    bool SleepOut(std::unique_lock<std::mutex>& lock);
    void Deliver(TThreadedTimer& owner, bool handOff);
    void HandOff(std::function<void()> call);
    void KeepFailure(std::exception_ptr failure);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    TThreadedTimer* owner_;
    quint32 interval_ = 1000;
    bool paused_ = true;
    bool started_ = false;
    bool terminated_ = false;
    bool exited_ = false;
    // Blocked in the sleep (before or during it), as opposed to delivering a tick.
    bool sleeping_ = false;
    std::optional<TTimerClock::Time> due_;
    // The call handed to the GUI thread, and how many were handed and have run.
    std::function<void()> pending_;
    quint64 handedOff_ = 0;
    quint64 handOffsRun_ = 0;
    // A failure of a tick that ran here, until the GUI thread raises it.
    std::exception_ptr failure_;
    // Touched by the GUI thread alone: a handed-off call is running.
    bool handingOff_ = false;
};

#endif
