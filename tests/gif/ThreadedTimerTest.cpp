#include "gif/ThreadedTimer.h"
#include "runtime/Exception.h"
#include "runtime/OutOfResources.h"
#include "tests/gif/ManualClock.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

bool OnGuiThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

class ThreadedTimerTest : public ::testing::Test {
protected:
    // Counts ticks, and notes whether each ran on the GUI thread.
    void Count(TThreadedTimer& counted) {
        counted.SetOnTimer([this](TThreadedTimer&) {
            ++ticks;
            offGui += OnGuiThread() ? 0 : 1;
        });
    }
    // The thread starts its sleep when it gets to it: only then does the clock move.
    int TicksAfter(int milliseconds) {
        EXPECT_TRUE(Settle(*timer));
        clock.Advance(milliseconds);
        EXPECT_TRUE(Settle(*timer));
        return ticks;
    }

    TManualClock clock;
    std::unique_ptr<TThreadedTimer> timer = std::make_unique<TThreadedTimer>();
    std::atomic<int> ticks = 0;
    std::atomic<int> offGui = 0;
};

TEST_F(ThreadedTimerTest, TicksEveryIntervalOnTheGuiThreadOnceAHandlerIsSet) {
    EXPECT_EQ(TicksAfter(5000), 0);
    Count(*timer);
    EXPECT_EQ(TicksAfter(999), 0);
    EXPECT_EQ(TicksAfter(1), 1);
    EXPECT_EQ(TicksAfter(1000), 2);
    EXPECT_EQ(offGui, 0);
}

TEST_F(ThreadedTimerTest, AnIntervalOfZeroStopsTheTicksButLeavesTheTimerEnabled) {
    timer->SetInterval(0);
    Count(*timer);
    EXPECT_EQ(TicksAfter(10000), 0);
    EXPECT_TRUE(timer->Enabled());
    timer->SetInterval(200);
    EXPECT_EQ(TicksAfter(200), 1);
}

TEST_F(ThreadedTimerTest, AnIntervalSetByTheHandlerTimesTheNextTickFromTheHandlersEnd) {
    timer->SetOnTimer([this](TThreadedTimer& sender) {
        ++ticks;
        sender.SetInterval(300);
    });
    EXPECT_EQ(TicksAfter(1000), 1);
    EXPECT_EQ(TicksAfter(299), 1);
    EXPECT_EQ(TicksAfter(1), 2);
}

// A new interval set from outside takes effect after the sleep under way, which keeps its time.
TEST_F(ThreadedTimerTest, AnIntervalSetDuringASleepWaitsForTheNextSleep) {
    Count(*timer);
    EXPECT_EQ(TicksAfter(500), 0);
    timer->SetInterval(300);
    EXPECT_EQ(TicksAfter(499), 0);
    EXPECT_EQ(TicksAfter(1), 1);
    EXPECT_EQ(TicksAfter(300), 2);
}

TEST_F(ThreadedTimerTest, DisablingAndEnablingAgainDoesNotRestartTheSleep) {
    Count(*timer);
    EXPECT_EQ(TicksAfter(600), 0);
    timer->SetEnabled(false);
    timer->SetEnabled(true);
    EXPECT_EQ(TicksAfter(399), 0);
    EXPECT_EQ(TicksAfter(1), 1);

    // Enabled again after the sleep was due: the tick comes at once.
    EXPECT_EQ(TicksAfter(500), 1);
    timer->SetEnabled(false);
    EXPECT_EQ(TicksAfter(2000), 1);
    timer->SetEnabled(true);
    EXPECT_EQ(TicksAfter(0), 2);
}

TEST_F(ThreadedTimerTest, DestroyingDuringASleepReturnsAtOnceAndNoTickFollows) {
    Count(*timer);
    EXPECT_EQ(TicksAfter(500), 0);
    // The clock never reaches the end of the sleep: were the destruction to wait for it, the
    // test would hang here.
    timer.reset();
    clock.Advance(5000);
    QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 0);
}

// Whether the thread is still asleep, has woken, or has handed its tick over and waits: the
// handler never runs after the timer is gone.
TEST_F(ThreadedTimerTest, DestroyingAtAnyMomentOfATickLeavesNoTickBehind) {
    for (int round = 0; round < 50; ++round) {
        timer = std::make_unique<TThreadedTimer>();
        Count(*timer);
        clock.Advance(1000);
        for (int spin = 0; spin < round; ++spin)
            std::this_thread::yield();
        const int before = ticks;
        timer.reset();
        QCoreApplication::processEvents();
        EXPECT_EQ(ticks, before);
    }
}

TEST_F(ThreadedTimerTest, AHandlerMayDestroyItsOwnTimer) {
    timer->SetOnTimer([this](TThreadedTimer&) {
        ++ticks;
        timer.reset();
    });
    ASSERT_TRUE(Settle(*timer));
    clock.Advance(1000);
    const QDeadlineTimer deadline(10000);
    while (timer && !deadline.hasExpired())
        QCoreApplication::processEvents();
    EXPECT_EQ(ticks, 1);
    clock.Advance(1000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ticks, 1);
}

TEST_F(ThreadedTimerTest, AFailingTickIsShownByTheApplicationAndTheTicksGoOn) {
    TErrorBoxes errors;
    timer->SetOnTimer([this](TThreadedTimer&) {
        ++ticks;
        throw Exception(QStringLiteral("tick failed"));
    });
    EXPECT_EQ(TicksAfter(1000), 1);
    EXPECT_EQ(errors.shown, QStringList{"tick failed"});
    EXPECT_EQ(TicksAfter(1000), 2);
    EXPECT_EQ(errors.shown.size(), 2);
}

// Without SyncEvent the handler runs in the timer's thread; what it hands back runs on the GUI
// thread while the handler waits; its failures still reach the application's error box.
TEST_F(ThreadedTimerTest, WithoutSyncEventTheHandlerRunsInTheTimersThread) {
    TErrorBoxes errors;
    timer->SetSyncEvent(false);
    std::atomic<bool> handedOnGui = false;
    timer->SetOnTimer([&](TThreadedTimer& sender) {
        ++ticks;
        offGui += OnGuiThread() ? 0 : 1;
        bool ran = false;
        sender.Synchronize([&] { ran = handedOnGui = OnGuiThread(); });
        if (!ran)
            ADD_FAILURE() << "the hand-off returned before its call had run";
        throw Exception(QStringLiteral("failed in the timer's thread"));
    });
    EXPECT_EQ(TicksAfter(1000), 1);
    EXPECT_EQ(offGui, 1);
    EXPECT_TRUE(handedOnGui);
    // The error box opens once the failed event has been delivered, not inside it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !errors.shown.isEmpty(); }, 5000));
    EXPECT_EQ(errors.shown, QStringList{"failed in the timer's thread"});
    EXPECT_EQ(TicksAfter(1000), 2);
}

TEST_F(ThreadedTimerTest, ThePriorityReachesTheThreadOnlyInThreadMode) {
    timer->SetSyncEvent(false);
    std::atomic<QThread::Priority> seen = QThread::InheritPriority;
    timer->SetOnTimer([&](TThreadedTimer&) {
        ++ticks;
        if (!OnGuiThread())
            seen = QThread::currentThread()->priority();
    });
    EXPECT_EQ(TicksAfter(1000), 1);
    EXPECT_EQ(seen, QThread::NormalPriority);
    timer->SetThreadPriority(TThreadPriority::tpLowest);
    EXPECT_EQ(TicksAfter(1000), 2);
    EXPECT_EQ(seen, QThread::LowestPriority);

    timer->SetThreaded(false);
    timer->SetInterval(5);
    timer->SetThreadPriority(TThreadPriority::tpHighest);
    // The window timer runs on real time; the thread must not tick meanwhile.
    clock.Advance(5000);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 10000);
    EXPECT_EQ(seen, QThread::LowestPriority);
    // Back in thread mode, the sleep that was under way is long due: its tick comes at once.
    const int before = ticks;
    timer->SetThreaded(true);
    ASSERT_TRUE(Settle(*timer));
    EXPECT_EQ(ticks, before + 1);
    EXPECT_EQ(seen, QThread::HighestPriority);
}

TEST_F(ThreadedTimerTest, WindowTimerModeTicksOnTheGuiThread) {
    timer->SetThreaded(false);
    timer->SetInterval(1);
    Count(*timer);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 10000);
    EXPECT_EQ(offGui, 0);
    timer->SetEnabled(false);
    const int stopped = ticks;
    QTest::qWait(20);
    EXPECT_EQ(ticks, stopped);
}

// The message of the failure `work` raises, or nothing.
template <typename Work> QString Failure(Work&& work) {
    try {
        work();
    } catch (const EOutOfResources& e) {
        return e.Message();
    }
    return {};
}

TEST_F(ThreadedTimerTest, AWindowTimerThatCannotBeHadRaisesNotEnoughTimers) {
    timer->SetThreaded(false);
    timer->SetInterval(0x80000000u);
    EXPECT_EQ(Failure([&] { Count(*timer); }), QStringLiteral("Not enough timers available"));

    // Qt's timers need an event loop, which a plain thread does not have.
    QString message;
    std::thread([&] {
        TThreadedTimer plain;
        plain.SetThreaded(false);
        message = Failure([&] { plain.SetOnTimer([](TThreadedTimer&) {}); });
    }).join();
    EXPECT_EQ(message, QStringLiteral("Not enough timers available"));
}

} // namespace
