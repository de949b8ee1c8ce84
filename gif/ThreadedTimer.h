#ifndef VARNEL_GIF_THREADEDTIMER_H
#define VARNEL_GIF_THREADEDTIMER_H

#include <QtGlobal>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QTimer;
class TTimerThread;

enum class TThreadPriority {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

// A timer that calls OnTimer every Interval milliseconds. Its ticks come from a thread of its
// own that sleeps between them and hands each tick to the GUI thread, waiting until it has run,
// so that the handler runs between the window's other events and may change the interval; or,
// without SyncEvent, the handler runs in the timer's thread; or, without Threaded, the ticks come
// from an ordinary Qt timer of the GUI thread.
//
// A handler that runs in the timer's thread may read and set Enabled, Interval, SyncEvent and
// ThreadPriority there as well; the mode (Threaded) is switched on the GUI thread.
class TThreadedTimer {
public:
    using NotifyEvent = std::function<void(TThreadedTimer& sender)>;

    TThreadedTimer();
    // Returns at once: the thread ends without another tick, wherever it sleeps or waits.
    virtual ~TThreadedTimer();
    TThreadedTimer(const TThreadedTimer&) = delete;
    TThreadedTimer& operator=(const TThreadedTimer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // 0 stops the ticks, leaving Enabled as it is.
    quint32 Interval() const { return interval_; }
    void SetInterval(quint32 interval);
    bool SyncEvent() const { return syncEvent_; }
    void SetSyncEvent(bool syncEvent) { syncEvent_ = syncEvent; }
    bool Threaded() const { return threaded_; }
    // Raises "Not enough timers available" when the Qt timer cannot be had.
    void SetThreaded(bool threaded);
    TThreadPriority ThreadPriority() const { return priority_; }
    void SetThreadPriority(TThreadPriority priority);
    NotifyEvent OnTimer() const;
    // Arms the timer when a handler comes or goes; one handler replacing another is only stored.
    void SetOnTimer(NotifyEvent handler);

    // Runs `call` on the GUI thread and waits for it when called from the timer's thread; runs it
    // at once when called from anywhere else.
    void Synchronize(const std::function<void()>& call);

    // The timer's thread waits for the clock or for the timer to be armed, with no tick under
    // way (a window timer always counts as idle).
    bool Idle() const;

protected:
    // The tick: OnTimer, while the timer is enabled and not being destroyed.
    virtual void Timer();

private:
    friend class TTimerThread;

    void Arm();
    void ArmThread(bool ticking);
    void ArmWindowTimer(bool ticking);

    std::atomic<bool> enabled_ = true;
    std::atomic<quint32> interval_ = 1000;
    std::atomic<bool> syncEvent_ = true;
    std::atomic<bool> threaded_ = true;
    std::atomic<TThreadPriority> priority_ = TThreadPriority::tpNormal;
    std::atomic<bool> destroying_ = false;
    mutable std::mutex handlerMutex_;
    NotifyEvent onTimer_;
    // Arming may come from the GUI thread and from a handler in the timer's thread at once.
    std::mutex armMutex_;
    std::unique_ptr<TTimerThread> thread_;
    // Made when the window-timer mode first needs it.
    std::unique_ptr<QTimer> windowTimer_;
};

#endif
