#include "platform/Clock.h"

#include <gtest/gtest.h>
#include <vector>

using vx::Clock;
using vx::Timer;

class ManualClock : public ::testing::Test {
protected:
    void SetUp() override { Clock::useManual(QDateTime(QDate(2024, 3, 1), QTime(12, 0), Qt::UTC)); }
    void TearDown() override { Clock::useSystem(); }
};

TEST_F(ManualClock, TimersFireAtTheirOwnDueTimesInOrder)
{
    std::vector<std::pair<QString, qint64>> fired;
    Timer fast(50, false);
    Timer slow(120, false);
    fast.OnTimer = [&] { fired.push_back({"fast", Clock::monotonicMs()}); };
    slow.OnTimer = [&] { fired.push_back({"slow", Clock::monotonicMs()}); };
    fast.setEnabled(true);
    slow.setEnabled(true);

    Clock::advance(250);
    const std::vector<std::pair<QString, qint64>> expected = {
        {"fast", 50}, {"fast", 100}, {"slow", 120}, {"fast", 150}, {"fast", 200}, {"slow", 240}, {"fast", 250}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(Clock::nowUtc(), QDateTime(QDate(2024, 3, 1), QTime(12, 0, 0, 250), Qt::UTC));
}

TEST_F(ManualClock, EnablingARunningTimerKeepsItsPhaseAndStopInsideHandlerHolds)
{
    int count = 0;
    Timer t(100, true);
    t.OnTimer = [&] {
        if (++count == 2)
            t.setEnabled(false);
    };
    Clock::advance(60);
    t.setEnabled(true); // already running: no restart
    Clock::advance(40);
    EXPECT_EQ(count, 1);
    Clock::advance(1000);
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(t.isActive());
}

TEST_F(ManualClock, SingleShotAndIntervalChangeRestart)
{
    int count = 0;
    Timer t(100, false);
    t.setSingleShot(true);
    t.OnTimer = [&] { ++count; };
    t.start();
    Clock::advance(50);
    t.setInterval(200); // restarts from now
    Clock::advance(150);
    EXPECT_EQ(count, 0);
    Clock::advance(100);
    EXPECT_EQ(count, 1);
    Clock::advance(1000);
    EXPECT_EQ(count, 1);
}

TEST_F(ManualClock, DestroyingATimerFromAnotherTimersHandlerIsSafe)
{
    auto* victim = new Timer(100, true);
    int victimFired = 0;
    victim->OnTimer = [&] { ++victimFired; };
    Timer killer(100, true); // same due time, started later, so it fires second
    killer.OnTimer = [&] {
        delete victim;
        victim = nullptr;
    };
    Clock::advance(300);
    EXPECT_EQ(victimFired, 1);
}
