#include "watcher/IdleWatcher.h"

#include "watcher/DesktopBlank.h"
#include "watcher/IdleDelay.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dd {
namespace {

using namespace std::chrono_literals;

TEST(IdleDelay, TakesWholeMinutesOrSecondsWithAnSWithinADay) {
    EXPECT_EQ(ParseIdleDelay("10"), 600s);
    EXPECT_EQ(ParseIdleDelay("1"), 60s);
    EXPECT_EQ(ParseIdleDelay("1440"), 86'400s);
    EXPECT_EQ(ParseIdleDelay("30s"), 30s);
    EXPECT_EQ(ParseIdleDelay("86400s"), 86'400s);
    for (const char* bad : {"", "s", "0", "0s", "1441", "86401s", "-3", "3m", "2.5", " 3", "3 ",
                            "10ss", "99999999999999999999"})
        EXPECT_EQ(ParseIdleDelay(bad), std::nullopt) << '"' << bad << '"';
}

TEST(DesktopBlank, WarnsOnlyWhenTheDesktopBlanksFirst) {
    EXPECT_EQ(BlankWarning(300s, 600s),
              "GNOME blanks the screen after 300 s (org.gnome.desktop.session idle-delay), before "
              "the saver's 600 s: set that later, or the delay shorter");
    EXPECT_FALSE(BlankWarning(300s, 300s).empty()) << "at the same moment the blank wins";
    EXPECT_TRUE(BlankWarning(300s, 180s).empty());
    EXPECT_TRUE(BlankWarning(std::nullopt, 600s).empty()) << "never, or not GNOME";
}

class IdleWatcherTest : public ::testing::Test {
protected:
    std::vector<std::string> done;
    IdleWatcher watcher{{[this] { done.push_back("start"); }, [this] { done.push_back("end"); }}};
};

TEST_F(IdleWatcherTest, StartsOneSaverForEachIdlePeriod) {
    watcher.Idle();
    watcher.Idle(); // a source that reports twice, or a second watch
    EXPECT_EQ(done, std::vector<std::string>{"start"}) << "never two savers of its own";
    watcher.SaverEnded();
    watcher.Idle();
    EXPECT_EQ(done, (std::vector<std::string>{"start", "start"}));
}

TEST_F(IdleWatcherTest, NoSaverWhileLockedAndALockEndsItsSaver) {
    watcher.Locked(true);
    watcher.Idle();
    EXPECT_TRUE(done.empty()) << "the lock screen would hide it";
    watcher.Locked(false);
    watcher.Idle();
    watcher.Locked(true);
    EXPECT_EQ(done, (std::vector<std::string>{"start", "end"}));
    watcher.SaverEnded();
    watcher.SessionEnded();
    EXPECT_EQ(done, (std::vector<std::string>{"start", "end"})) << "nothing left to end";
}

TEST(IdleWatcher, AnInhibitorTheSourceDoesNotSeeKeepsTheSaverOff) {
    std::vector<std::string> done;
    bool inhibited = true;
    IdleWatcher watcher({[&] { done.push_back("start"); }, [&] { done.push_back("end"); },
                         [&] { return inhibited; }});
    watcher.Idle();
    EXPECT_TRUE(done.empty());
    inhibited = false;
    watcher.Idle();
    EXPECT_EQ(done, std::vector<std::string>{"start"});
}

TEST(IdleWatcher, AnIdleMomentHeldBackCountsAgainOnceTheInhibitorIsReleased) {
    std::vector<std::string> done;
    bool inhibited = true;
    IdleWatcher watcher({[&] { done.push_back("start"); }, [&] { done.push_back("end"); },
                         [&] { return inhibited; }, [&] { done.push_back("count again"); }});
    watcher.InhibitorReleased();
    EXPECT_TRUE(done.empty()) << "nothing was held back";
    watcher.Idle();
    watcher.InhibitorReleased();
    EXPECT_TRUE(done.empty()) << "another inhibitor is still held";
    inhibited = false;
    watcher.InhibitorReleased();
    watcher.InhibitorReleased();
    EXPECT_EQ(done, std::vector<std::string>{"count again"}) << "once for each held-back moment";
    watcher.Idle();
    watcher.SaverEnded();
    watcher.InhibitorReleased();
    EXPECT_EQ(done, (std::vector<std::string>{"count again", "start"}));
}

TEST_F(IdleWatcherTest, TheSessionsEndEndsItsSaver) {
    watcher.Idle();
    watcher.SessionEnded();
    EXPECT_EQ(done, (std::vector<std::string>{"start", "end"}));
}

} // namespace
} // namespace dd
