#include "shell/Entry.h"

#include "platform/io/WindowDirectory.h"
#include "tests/support/FakeLauncher.h"
#include "tests/support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>

namespace dd {
namespace {

using test::FakeLauncher;

// Records the mode whose windows the entry asked for; its message loop can run a second start.
class RecordingWindows : public ModeWindows {
public:
    std::vector<RunMode> created;
    int loops = 0;
    std::function<void()> duringLoop;

    void CreateWindows(RunMode mode) override { created.push_back(mode); }
    int RunMessageLoop() override {
        ++loops;
        if (duringLoop)
            duringLoop();
        return 0;
    }
};

std::optional<RunMode> Start(const std::vector<std::string>& arguments) {
    RecordingWindows windows;
    EXPECT_EQ(RunEntry(arguments, windows), 0);
    if (windows.created.empty())
        return std::nullopt;
    EXPECT_EQ(windows.created.size(), 1u);
    return windows.created.front();
}

TEST(Entry, SwitchChoosesTheMode) {
    test::IsolatedEnvironment env;
    struct Case {
        std::vector<std::string> arguments;
        std::optional<RunMode> mode;
    };
    const Case cases[] = {
        {{}, RunMode::Settings},
        {{"/s"}, RunMode::ScreenSaver},
        {{"/S"}, RunMode::ScreenSaver},
        {{"-s"}, RunMode::ScreenSaver},
        {{"S"}, RunMode::ScreenSaver},
        {{"xs"}, RunMode::ScreenSaver},
        {{"s"}, std::nullopt},
        {{"/c"}, RunMode::Settings},
        {{"/c:1234"}, RunMode::Settings},
        {{"C"}, RunMode::Settings},
        {{"/a"}, RunMode::ChangePassword},
        {{"/a", "1234"}, RunMode::ChangePassword},
        {{"/p", "1234"}, std::nullopt},
        {{"/P"}, std::nullopt},
        {{""}, std::nullopt},
        {{"", "/s"}, std::nullopt},
        {{"/s", "/c"}, RunMode::ScreenSaver},
        {{"/"}, std::nullopt},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& a : c.arguments)
            shown += "[" + a + "]";
        EXPECT_EQ(Start(c.arguments), c.mode) << shown;
    }
}

TEST(Entry, TheApplicationWindowIsFoundWhileTheModeRuns) {
    test::IsolatedEnvironment env;
    for (const char* sw : {"/s", "/c", "/a"}) {
        RecordingWindows first;
        std::optional<RunMode> second = RunMode::None;
        bool titleFound = false;
        first.duringLoop = [&] {
            titleFound = FindWindow("", kApplicationTitle).has_value();
            second = Start({"/s"});
        };
        RunEntry({sw}, first);
        EXPECT_EQ(first.loops, 1) << sw;
        EXPECT_TRUE(titleFound) << sw;
        EXPECT_EQ(second, std::nullopt) << "second start while " << sw << " runs";
    }
    EXPECT_EQ(Start({"/s"}), RunMode::ScreenSaver) << "after the first instance ended";
}

TEST(Entry, AnyWindowWithTheTitleStopsASecondStart) {
    test::IsolatedEnvironment env;
    WindowEndpoint other("TfrmMain", std::string(kApplicationTitle));
    for (const char* sw : {"/s", "/c", "/a", "/p"})
        EXPECT_EQ(Start({sw}), std::nullopt) << sw;
    EXPECT_EQ(Start({}), std::nullopt);
}

TEST(Entry, LauncherAnsweringZeroLetsTheStartGoOn) {
    test::IsolatedEnvironment env;
    FakeLauncher launcher(0);
    EXPECT_EQ(Start({"/s"}), RunMode::ScreenSaver);
    EXPECT_EQ(launcher.messagesReceived(), 1);
}

TEST(Entry, LauncherAnsweringNonZeroTakesTheStartOverInEveryMode) {
    test::IsolatedEnvironment env;
    for (std::int64_t reply : {1, -1, 12345}) {
        FakeLauncher launcher(reply);
        for (const char* sw : {"/s", "/c", "/a"})
            EXPECT_EQ(Start({sw}), std::nullopt) << sw << " reply " << reply;
        EXPECT_EQ(Start({}), std::nullopt);
        EXPECT_EQ(launcher.messagesReceived(), 4);
    }
}

TEST(Entry, LauncherThatNeverAnswersCountsAsZero) {
    test::IsolatedEnvironment env;
    FakeLauncher launcher(1, FakeLauncher::Behaviour::Hang);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Start({"/s"}), RunMode::ScreenSaver);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

} // namespace
} // namespace dd
