// The saver for a long stretch of virtual time (24 hours unless DRAVELIN_SOAK_HOURS says
// otherwise): demonstrations, results, races started with G and steered by scripted keys, sound
// on and off with players that finish their plays, the help shown and hidden, refused password
// prompts. Every tick the game must stay in its ranges; no exception may escape; and the number
// of live allocations must not grow from the first hour to the last.

#include "platform/time/VirtualScheduler.h"
#include "shell/UMain.h"
#include "tests/support/FakeSaverHost.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>

namespace {

std::atomic<long> liveAllocations{0};

} // namespace

void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) {
        ++liveAllocations;
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    if (p) {
        --liveAllocations;
        std::free(p);
    }
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace dd {
namespace {

constexpr Milliseconds kMinute{60'000};

int SoakHours() {
    const char* hours = std::getenv("DRAVELIN_SOAK_HOURS");
    return hours ? std::max(1, std::atoi(hours)) : 24;
}

class Soak {
public:
    Soak() {
        test::WriteFile(env.settings() / "control.ini",
                        "[ScreenSaver.Zeilen]\nSound=1\nPWD=guarded\nHome=" +
                            std::string(DRAVELIN_DATA_DIR) + "\n");
        saver = std::make_unique<TfrmMain>(platform, platform.OneToOne(), test::SettingsIn(env),
                                           clock, random);
        TTimer& boot = *saver->Components.timerBoot;
        boot.OnTimer = [this, tick = boot.OnTimer] {
            tick();
            AfterTick();
        };
        saver->Show();
    }

    void RunMinute(int minute) {
        Act(minute);
        for (int second = 0; second < 60; ++second) {
            if (saver->State.InRace() && second % 3 == 0)
                Steer();
            clock.Advance(Milliseconds(1000));
        }
    }

    test::IsolatedEnvironment env;
    VirtualScheduler clock;
    RandomGenerator random{1};
    RandomGenerator script{2};
    test::FakeSaverHost platform;
    std::unique_ptr<TfrmMain> saver;
    long ticks = 0;
    long racesStarted = 0;
    long resultsShown = 0;

private:
    void Act(int minute) {
        if (minute % 47 == 5 && !saver->State.InRace()) {
            saver->FormKeyDown(vk::G);
            saver->FormKeyPress('g');
            ++racesStarted;
        }
        if (minute % 7 == 3)
            saver->FormKeyPress('h');
        if (minute % 13 == 11)
            saver->FormKeyPress('s');
        if (minute % 29 == 17 && !saver->State.InRace()) {
            // A movement asks for the password; the prompt is cancelled.
            saver->MouseMove(600, 500);
            saver->MouseMove(601, 500);
        }
    }

    void Steer() {
        static constexpr int keys[] = {vk::Left, vk::Right, vk::Home, vk::PageUp};
        for (int key : keys) {
            if (script.Random(3) == 0)
                saver->FormKeyDown(key);
            else
                saver->FormKeyUp(key);
        }
    }

    void AfterTick() {
        ++ticks;
        for (test::FakeWavePlayer* p : platform.players)
            if (p->Playing() && script.Random(8) == 0)
                p->Finish();
        if (saver->Components.timerGameOver->Enabled() && !resultShown_)
            ++resultsShown;
        resultShown_ = saver->Components.timerGameOver->Enabled();
        CheckRanges();
    }

    void CheckRanges() {
        const TSaverState& s = saver->State;
        const TSailingGame& g = *saver->Game;
        const TBoatState& b = g.Boat;
        const double step = 20; // more than any boat moves in one tick
        ASSERT_LE(s.GamePhase, TGamePhase::RaceFinish);
        ASSERT_LE(std::fabs(b.X), s.FieldWidth / 2 + step);
        ASSERT_LE(std::fabs(b.Y), s.FieldHeight / 2 + step);
        ASSERT_TRUE(b.Heading >= 0 && b.Heading < 2 * kPi) << b.Heading;
        ASSERT_TRUE(b.SailLimit >= -1e-9 && b.SailLimit <= kPi / 2 + 1e-9) << b.SailLimit;
        if (s.GamePhase !=
            TGamePhase::LeadIn) { // the lead-in sets the sheet before the boat trims to it
            ASSERT_LE(std::fabs(b.Sail), b.SailLimit + 1e-9);
        }
        ASSERT_TRUE(std::isfinite(b.Speed) && b.Speed >= 0 && b.Speed < step);
        ASSERT_TRUE(std::isfinite(b.Rudder) && std::fabs(b.Rudder) < 2 * kPi);
        ASSERT_TRUE(g.CurrentBuoy >= 0 && g.CurrentBuoy < 10);
        ASSERT_LE(g.Sounds.CurrentSound, kNoSound);
    }

    bool resultShown_ = false;
};

TEST(Soak, RunsForHoursWithoutGrowingOrLeavingItsRanges) {
    const int hours = SoakHours();
    Soak soak;
    long firstHourPeak = 0, lastHourPeak = 0;
    for (int minute = 0; minute < hours * 60; ++minute) {
        ASSERT_NO_THROW(soak.RunMinute(minute)) << "minute " << minute;
        ASSERT_FALSE(soak.platform.quitPosted) << "the saver ended itself at minute " << minute;
        if (HasFatalFailure())
            return;
        const long live = liveAllocations.load();
        if (minute < 60)
            firstHourPeak = std::max(firstHourPeak, live);
        if (minute >= (hours - 1) * 60)
            lastHourPeak = std::max(lastHourPeak, live);
    }
    RecordProperty("ticks", std::to_string(soak.ticks));
    std::printf("%d h: %ld ticks, %ld races started, %ld results, %zu prompts; live "
                "allocations at most %ld in the first hour, %ld in the last\n",
                hours, soak.ticks, soak.racesStarted, soak.resultsShown,
                soak.platform.prompts.size(), firstHourPeak, lastHourPeak);
    EXPECT_GE(soak.ticks, hours * 3600L * 10 / 2) << "the game ticked most of the time";
    EXPECT_GT(soak.resultsShown, 0);
    EXPECT_GT(soak.platform.prompts.size(), 0u);
    if (hours > 1) {
        EXPECT_LE(lastHourPeak, firstHourPeak + 50) << "memory grows";
    }
}

} // namespace
} // namespace dd
