#include "platform/time/Random.h"
#include "platform/time/TTimer.h"
#include "platform/time/VirtualScheduler.h"

#include <gtest/gtest.h>
#include <string>

namespace dd {
namespace {

using namespace std::chrono_literals;

// Appended, not "f" + std::to_string(...): GCC 12 at -O3 warns falsely about the latter.
void Note(std::string& log, char timer, const VirtualScheduler& clock) {
    log += timer;
    log += std::to_string(clock.Elapsed().count());
    log += ' ';
}

TEST(VirtualScheduler, FiresDueTimersOneAtATimeInDueOrder) {
    VirtualScheduler clock;
    std::string log;
    TTimer fast(clock), slow(clock);
    fast.SetInterval(100);
    slow.SetInterval(250);
    fast.OnTimer = [&] { Note(log, 'f', clock); };
    slow.OnTimer = [&] { Note(log, 's', clock); };
    slow.SetEnabled(true);
    fast.SetEnabled(true);
    clock.Advance(500ms);
    EXPECT_EQ(log, "f100 f200 s250 f300 f400 s500 f500 ");
    EXPECT_EQ(clock.Elapsed(), 500ms);
}

TEST(VirtualScheduler, HandlersMayStartStopAndRetimeTimersIncludingThemselves) {
    VirtualScheduler clock;
    std::string log;
    TTimer a(clock), b(clock);
    a.SetInterval(100);
    b.SetInterval(1000);
    a.OnTimer = [&] {
        Note(log, 'a', clock);
        a.SetInterval(a.Interval() * 2); // restarts its own countdown
        if (clock.Elapsed() >= 300ms)
            b.SetEnabled(true);
    };
    b.OnTimer = [&] {
        Note(log, 'b', clock);
        b.SetEnabled(false);
        a.SetEnabled(false);
    };
    a.SetEnabled(true);
    clock.Advance(5s);
    EXPECT_EQ(log, "a100 a300 a700 b1300 ");
    EXPECT_FALSE(clock.HasTimers());
}

TEST(VirtualScheduler, AnIntervalOfZeroNeverFiresAndEnablingRestartsTheCountdown) {
    VirtualScheduler clock;
    int fired = 0;
    TTimer t(clock);
    t.OnTimer = [&] { ++fired; };
    t.SetInterval(0);
    t.SetEnabled(true);
    clock.Advance(10s);
    EXPECT_EQ(fired, 0);
    t.SetInterval(1000);
    clock.Advance(900ms);
    t.SetEnabled(false);
    t.SetEnabled(true);
    clock.Advance(900ms);
    EXPECT_EQ(fired, 0) << "re-enabling starts a fresh second";
    clock.Advance(100ms);
    EXPECT_EQ(fired, 1);
    t.SetInterval(1000); // unchanged: the countdown goes on
    clock.Advance(1s);
    EXPECT_EQ(fired, 2);
}

TEST(VirtualScheduler, TimeOfDayWrapsAtMidnightWhileElapsedGoesOn) {
    VirtualScheduler clock(1.0 - 1.0 / 86400); // one second before midnight
    clock.Advance(2s);
    EXPECT_NEAR(clock.TimeOfDay(), 1.0 / 86400, 1e-9);
    EXPECT_EQ(clock.Elapsed(), 2s);
}

TEST(RandomGenerator, IsDeterministicForASeedAndStaysInRange) {
    RandomGenerator a(42), b(42);
    int counts[3] = {};
    for (int i = 0; i < 3000; ++i) {
        const int r = a.Random(3);
        ASSERT_EQ(r, b.Random(3));
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 3);
        ++counts[r];
    }
    for (int c : counts)
        EXPECT_NEAR(c, 1000, 120);
    EXPECT_EQ(a.Random(0), 0);
    RandomGenerator c(0);
    EXPECT_EQ(c.Random(1 << 30), 0) << "first value of seed 0 is 1, far below 2^32 / 4";
    const double real = a.RandomReal();
    EXPECT_GE(real, 0.0);
    EXPECT_LT(real, 1.0);
}

} // namespace
} // namespace dd
