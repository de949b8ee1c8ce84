#include "gif/ThreadedTimer.h"

#include "gif/TimerThread.h"
#include "runtime/OutOfResources.h"

#include <QTimer>
#include <limits>

namespace {

QThread::Priority QtPriority(TThreadPriority priority) {
    switch (priority) {
    case TThreadPriority::tpIdle:
        return QThread::IdlePriority;
    case TThreadPriority::tpLowest:
        return QThread::LowestPriority;
    case TThreadPriority::tpLower:
        return QThread::LowPriority;
    case TThreadPriority::tpNormal:
        break;
    case TThreadPriority::tpHigher:
        return QThread::HighPriority;
    case TThreadPriority::tpHighest:
        return QThread::HighestPriority;
    case TThreadPriority::tpTimeCritical:
        return QThread::TimeCriticalPriority;
    }
    return QThread::NormalPriority;
}

[[noreturn]] void NoTimers() {
    throw EOutOfResources(QStringLiteral("Not enough timers available"));
}

} // namespace

TThreadedTimer::TThreadedTimer() : thread_(std::make_unique<TTimerThread>(*this)) {}

TThreadedTimer::~TThreadedTimer() {
    {
        // An arming under way in the timer's thread ends first; later ones find the flag.
        std::lock_guard arm(armMutex_);
        destroying_ = true;
    }
    enabled_ = false;
    {
        std::lock_guard lock(handlerMutex_);
        onTimer_ = nullptr;
    }
    windowTimer_.reset();
    if (thread_->InTick()) {
        // Destroyed by its own tick: the thread object is still on the stack below, so it goes
        // once the tick has returned.
        thread_->Finish();
        thread_.release()->deleteLater();
    } else {
        // Ended here while the pointer still stands, since a tick in the thread may use it
        // until then; the object goes with the members.
        thread_->End();
    }
}

void TThreadedTimer::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Arm();
}

void TThreadedTimer::SetInterval(quint32 interval) {
    if (interval_ == interval)
        return;
    interval_ = interval;
    Arm();
}

void TThreadedTimer::SetThreaded(bool threaded) {
    if (threaded_ == threaded)
        return;
    threaded_ = threaded;
    Arm();
}

void TThreadedTimer::SetThreadPriority(TThreadPriority priority) {
    if (priority_ == priority)
        return;
    priority_ = priority;
    if (threaded_)
        Arm();
}

TThreadedTimer::NotifyEvent TThreadedTimer::OnTimer() const {
    std::lock_guard lock(handlerMutex_);
    return onTimer_;
}

void TThreadedTimer::SetOnTimer(NotifyEvent handler) {
    bool cameOrWent = false;
    {
        std::lock_guard lock(handlerMutex_);
        cameOrWent = bool(onTimer_) != bool(handler);
        onTimer_ = std::move(handler);
    }
    if (cameOrWent)
        Arm();
}

void TThreadedTimer::Synchronize(const std::function<void()>& call) {
    thread_->Synchronize(call);
}

bool TThreadedTimer::Idle() const {
    return !threaded_ || thread_->Idle();
}

void TThreadedTimer::Timer() {
    if (!enabled_ || destroying_)
        return;
    // A copy, so that the handler may replace itself.
    if (const NotifyEvent handler = OnTimer())
        handler(*this);
}

void TThreadedTimer::Arm() {
    std::lock_guard arm(armMutex_);
    if (destroying_)
        return;
    const bool ticking = interval_ != 0 && enabled_ && OnTimer();
    if (threaded_)
        ArmThread(ticking);
    else
        ArmWindowTimer(ticking);
}

void TThreadedTimer::ArmThread(bool ticking) {
    windowTimer_.reset();
    thread_->Pause();
    thread_->SetInterval(interval_);
    if (ticking)
        thread_->Resume(QtPriority(priority_));
}

void TThreadedTimer::ArmWindowTimer(bool ticking) {
    thread_->Pause();
    if (windowTimer_) {
        windowTimer_->stop();
    } else {
        windowTimer_ = std::make_unique<QTimer>();
        QObject::connect(windowTimer_.get(), &QTimer::timeout, [this] { Timer(); });
    }
    if (!ticking)
        return;
    if (interval_ > quint32(std::numeric_limits<int>::max()))
        NoTimers();
    windowTimer_->start(int(interval_));
    // Qt gives no timer in a thread without an event loop; it says so only by the id.
    if (windowTimer_->timerId() <= 0) {
        windowTimer_->stop();
        NoTimers();
    }
}
