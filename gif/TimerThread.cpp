#include "gif/TimerThread.h"

#include "gif/ThreadedTimer.h"

#include <QScopeGuard>
#include <algorithm>
#include <atomic>
#include <vector>

namespace {

std::atomic<const TTimerClock*> installedClock{nullptr};

// Every living timer thread, so that a hand-moved clock can wake them all.
std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<TTimerThread*>& Registry() {
    static std::vector<TTimerThread*> threads;
    return threads;
}

} // namespace

TTimerThread::TTimerThread(TThreadedTimer& owner) : owner_(&owner) {
    std::lock_guard registry(RegistryMutex());
    Registry().push_back(this);
}

TTimerThread::~TTimerThread() {
    {
        std::lock_guard registry(RegistryMutex());
        std::erase(Registry(), this);
    }
    End();
}

void TTimerThread::End() {
    Finish();
    // Our own note that the loop is left, so that what the thread touched last is seen to come
    // before what is freed after this; then Qt's own end of the thread.
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return exited_ || !started_; });
    lock.unlock();
    wait();
}

const TTimerClock& TTimerThread::Clock() {
    static const TTimerClock steady;
    const TTimerClock* clock = installedClock.load();
    return clock ? *clock : steady;
}

void TTimerThread::SetClock(const TTimerClock* clock) {
    installedClock.store(clock);
    WakeAll();
}

void TTimerThread::WakeAll() {
    std::lock_guard registry(RegistryMutex());
    for (TTimerThread* thread : Registry()) {
        std::lock_guard lock(thread->mutex_);
        thread->wake_.notify_all();
    }
}

quint32 TTimerThread::Interval() const {
    std::lock_guard lock(mutex_);
    return interval_;
}

void TTimerThread::SetInterval(quint32 interval) {
    std::lock_guard lock(mutex_);
    interval_ = interval;
}

bool TTimerThread::Paused() const {
    std::lock_guard lock(mutex_);
    return paused_;
}

void TTimerThread::Pause() {
    std::lock_guard lock(mutex_);
    paused_ = true;
}

// The priority is in place before the thread goes on, so that the next tick already has it.
void TTimerThread::Resume(Priority priority) {
    std::lock_guard lock(mutex_);
    if (started_)
        setPriority(priority);
    else
        start(priority);
    started_ = true;
    paused_ = false;
    wake_.notify_all();
}

void TTimerThread::Finish() {
    std::lock_guard lock(mutex_);
    terminated_ = true;
    owner_ = nullptr;
    wake_.notify_all();
}

bool TTimerThread::CanGo() const {
    return Ending() || (!paused_ && (!due_ || Clock().Now() >= *due_));
}

bool TTimerThread::Idle() const {
    std::lock_guard lock(mutex_);
    return !started_ || exited_ || (sleeping_ && !CanGo());
}

void TTimerThread::run() {
    std::unique_lock lock(mutex_);
    while (SleepOut(lock)) {
        // The owner outlives this loop: its end ends the thread and waits for it.
        TThreadedTimer& owner = *owner_;
        lock.unlock();
        if (owner.Enabled())
            Deliver(owner, owner.SyncEvent());
        lock.lock();
    }
    exited_ = true;
    wake_.notify_all();
}

// A pause before the sleep holds the thread before it reads the interval; a pause during the
// sleep keeps the due time.
bool TTimerThread::SleepOut(std::unique_lock<std::mutex>& lock) {
    sleeping_ = true;
    wake_.wait(lock, [this] { return Ending() || !paused_; });
    if (!Ending()) {
        due_ = Clock().Now() + std::chrono::milliseconds(interval_);
        while (!CanGo()) {
            if (paused_ || !Clock().Runs())
                wake_.wait(lock);
            else
                wake_.wait_until(lock, *due_);
        }
    }
    sleeping_ = false;
    due_.reset();
    return !Ending();
}

void TTimerThread::Deliver(TThreadedTimer& owner, bool handOff) {
    if (handOff) {
        HandOff([this] {
            TThreadedTimer* current = nullptr;
            {
                std::lock_guard lock(mutex_);
                current = owner_;
            }
            if (current)
                current->Timer();
        });
        return;
    }
    try {
        owner.Timer();
    } catch (...) {
        KeepFailure(std::current_exception());
    }
}

void TTimerThread::Synchronize(const std::function<void()>& call) {
    if (QThread::currentThread() == this)
        HandOff(call);
    else
        call();
}

// A blocking queued call could not be given up when the timer goes away while the GUI thread is
// not serving events (closing down, or in the timer's own destruction), so the wait here ends
// on the call having run or on the thread being told to end, whichever comes first.
void TTimerThread::HandOff(std::function<void()> call) {
    std::unique_lock lock(mutex_);
    if (terminated_)
        return;
    pending_ = std::move(call);
    const quint64 ticket = ++handedOff_;
    lock.unlock();
    QMetaObject::invokeMethod(this, "RunHandOff", Qt::QueuedConnection);
    lock.lock();
    wake_.wait(lock, [&] { return handOffsRun_ >= ticket || terminated_; });
}

void TTimerThread::RunHandOff() {
    std::function<void()> call;
    quint64 ticket = 0;
    {
        std::lock_guard lock(mutex_);
        call = std::move(pending_);
        pending_ = nullptr;
        ticket = handedOff_;
    }
    // The waiting thread goes on however the call ends; a failure goes on to the application.
    const auto done = qScopeGuard([&] {
        std::lock_guard lock(mutex_);
        handOffsRun_ = ticket;
        wake_.notify_all();
    });
    handingOff_ = true;
    const auto unmark = qScopeGuard([this] { handingOff_ = false; });
    if (call)
        call();
}

bool TTimerThread::InTick() const {
    return QThread::currentThread() == this || handingOff_;
}

void TTimerThread::KeepFailure(std::exception_ptr failure) {
    {
        std::lock_guard lock(mutex_);
        // One failure waiting to be shown is enough; the next tick may fail again.
        if (failure_)
            return;
        failure_ = failure;
    }
    QMetaObject::invokeMethod(this, "RaiseFailure", Qt::QueuedConnection);
}

void TTimerThread::RaiseFailure() {
    std::exception_ptr failure;
    {
        std::lock_guard lock(mutex_);
        std::swap(failure, failure_);
    }
    if (failure)
        std::rethrow_exception(failure);
}
