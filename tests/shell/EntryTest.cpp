#include "shell/Entry.h"

#include "platform/io/InstanceLock.h"
#include "platform/io/WindowDirectory.h"
#include "platform/posix/RuntimeFolder.h"
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

    void CreateWindows(const Invocation& invocation) override {
        created.push_back(invocation.mode);
    }
    int RunMessageLoop() override {
        ++loops;
        if (duringLoop)
            duringLoop();
        return 0;
    }
};

std::optional<RunMode> Start(const std::vector<std::string>& arguments) {
    RecordingWindows windows;
    EXPECT_EQ(RunEntry(InvocationFromArguments(arguments, nullptr), windows), 0);
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
    for (const Case& c : cases)
        EXPECT_EQ(Start(c.arguments), c.mode) << testing::PrintToString(c.arguments);
}

TEST(Entry, DaemonArgumentsComeBeforeTheSwitchLetter) {
    struct Case {
        std::vector<std::string> arguments;
        const char* daemonWindow;
        Invocation expected;
    };
    const Case cases[] = {
        {{"--root"}, "0x2a00007", {RunMode::Embedded, 0x2a00007}},
        {{"-root"}, "12345", {RunMode::Embedded, 12345}},
        {{"--root"}, nullptr, {RunMode::ScreenSaver}},
        {{"--root"}, "", {RunMode::ScreenSaver}},
        {{"--root"}, "garbage", {RunMode::ScreenSaver}},
        {{"--window-id", "0x1c00003"}, nullptr, {RunMode::Embedded, 0x1c00003}},
        {{"-window-id", "4711"}, "0x99", {RunMode::Embedded, 4711}},
        {{"/s", "--root", "--window-id", "0XABC"}, nullptr, {RunMode::Embedded, 0xabc}},
        {{"--window-id"}, nullptr, {RunMode::None}},
        {{"--window-id", "0x"}, nullptr, {RunMode::None}},
        {{"--window-id", "0"}, nullptr, {RunMode::None}},
        {{"--window-id", "12ab"}, nullptr, {RunMode::None}},
        {{"--window-id", "-5"}, nullptr, {RunMode::None}},
        {{"/c", "---root"}, "0x5", {RunMode::Settings}},
        {{"/s"}, "0x5", {RunMode::ScreenSaver}},
        {{"root"}, "0x5", {RunMode::None}},
        {{"/a", "--rooted"}, "0x5", {RunMode::ChangePassword}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const Invocation got = InvocationFromArguments(c.arguments, c.daemonWindow);
        EXPECT_EQ(got.mode, c.expected.mode);
        EXPECT_EQ(got.window, c.expected.window);
    }
}

TEST(Entry, AnEmbeddedSaverClaimsNothingAndIsNotStopped) {
    test::IsolatedEnvironment env;
    WindowEndpoint running("TfrmMain", std::string(kApplicationTitle));
    FakeLauncher launcher(1);
    RecordingWindows windows;
    bool titleFound = false;
    windows.duringLoop = [&] {
        RecordingWindows other;
        RunEntry({RunMode::Embedded, 7}, other);
        EXPECT_EQ(other.created, std::vector<RunMode>{RunMode::Embedded}) << "a second one";
        titleFound = FindWindow("TApplication", kApplicationTitle).has_value();
    };
    RunEntry({RunMode::Embedded, 7}, windows);
    EXPECT_EQ(windows.created, std::vector<RunMode>{RunMode::Embedded});
    EXPECT_EQ(launcher.messagesReceived(), 0);
    EXPECT_FALSE(titleFound) << "no application window is registered";
    EXPECT_TRUE(std::filesystem::is_empty(env.runtime()) ||
                !std::filesystem::exists(env.runtime() / "dravelin-didazi" / "instance.lock"));
}

TEST(Entry, TheInstanceClaimIsExclusiveAndLeavesNothingBehind) {
    test::IsolatedEnvironment env;
    const auto lockFile = WindowDirectory() / "instance.lock";
    {
        const InstanceLock first;
        ASSERT_TRUE(first.Held());
        EXPECT_TRUE(std::filesystem::exists(lockFile));
        const InstanceLock second;
        EXPECT_FALSE(second.Held()) << "claimed while the first holds it";
        RecordingWindows windows;
        EXPECT_EQ(RunEntry({RunMode::ScreenSaver}, windows), 0);
        EXPECT_TRUE(windows.created.empty()) << "an instance started while another runs";
    }
    EXPECT_FALSE(std::filesystem::exists(lockFile));
    const InstanceLock again;
    EXPECT_TRUE(again.Held());
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
        RunEntry(InvocationFromArguments({sw}, nullptr), first);
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

TEST(Entry, ALauncherAnsweringNonZeroTakesTheStartOverInEveryModeAndZeroLetsItGoOn) {
    test::IsolatedEnvironment env;
    const std::pair<std::vector<std::string>, RunMode> starts[] = {
        {{"/s"}, RunMode::ScreenSaver},
        {{"/c"}, RunMode::Settings},
        {{"/a"}, RunMode::ChangePassword},
        {{}, RunMode::Settings}};
    for (std::int64_t reply : {0, 1, -1, 12345}) {
        FakeLauncher launcher(reply);
        for (const auto& [arguments, mode] : starts)
            EXPECT_EQ(Start(arguments), reply ? std::nullopt : std::optional(mode))
                << testing::PrintToString(arguments) << " reply " << reply;
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
