#ifndef VARNEL_GIF_TIMERCLOCK_H
#define VARNEL_GIF_TIMERCLOCK_H

#include <chrono>

// The time the timer threads sleep by: the steady clock. A test may put a clock in its place that
// it moves by hand; such a clock does not run by itself, so a sleeper waits until it is woken
// (TTimerThread::WakeAll) rather than until a moment of the steady clock.
class TTimerClock {
public:
    using Time = std::chrono::steady_clock::time_point;

    virtual ~TTimerClock() = default;
    virtual Time Now() const { return std::chrono::steady_clock::now(); }
    virtual bool Runs() const { return true; }
};

#endif
