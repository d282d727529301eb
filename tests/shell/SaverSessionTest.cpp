#include "shell/SaverSession.h"

#include "platform/core/Exception.h"
#include "platform/time/VirtualScheduler.h"
#include "tests/support/FakeSaverPlatform.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace dd {
namespace {

using Log = std::vector<std::string>;

// A window of the fake desktop: it logs where it is shown, and keeps the input rules it got.
class FakeWindow : public TSaverWindow {
public:
    FakeWindow(Log& log, const Bitmap* surface, HostEvents events)
        : events(std::move(events)), log_(log), kind_(surface ? "field" : "cover") {}
    ~FakeWindow() override { log_.push_back(kind_ + " on " + monitor_ + " closed"); }

    void Cover(const TMonitor& monitor) override {
        monitor_ = monitor.name;
        log_.push_back(kind_ + " on " + monitor_);
    }
    void Present(const TRect&) override { ++presented; }
    void TakeKeyboard() override { log_.push_back(kind_ + " takes the keyboard"); }

    HostEvents events;
    int presented = 0;

private:
    Log& log_;
    std::string kind_;
    std::string monitor_;
};

// The desktop's services come from the in-process fake; monitors and windows are the test's.
class FakeBackEnd : public TSaverBackEnd {
public:
    std::vector<TMonitor> Monitors() const override { return monitors; }
    std::unique_ptr<TSaverWindow> OpenWindow(const std::string& caption, const Bitmap* surface,
                                             int scale, HostEvents events) override {
        if (failToOpen)
            throw Exception("the window 0x2a is gone");
        EXPECT_EQ(caption, "Dravelin Didazi Screen Saver");
        auto window = std::make_unique<FakeWindow>(log, surface, std::move(events));
        if (surface) {
            field = window.get();
            fieldScale = scale;
            fieldSize = {surface->Width(), surface->Height()};
        } else {
            EXPECT_EQ(scale, 1);
            lastCover = window.get();
        }
        return window;
    }
    void Quit() override { ++quits; }
    void SetScreenSaverRunning(bool running) override { desktop.SetScreenSaverRunning(running); }
    void SetCursorHidden(bool hidden) override { desktop.SetCursorHidden(hidden); }
    void MessageBox(const std::string& text, const std::string& caption,
                    MessageIcon icon) override {
        desktop.MessageBox(text, caption, icon);
    }
    bool RunPasswordPrompt(const std::string& password) override {
        return desktop.RunPasswordPrompt(password);
    }
    void ProcessMessages() override { desktop.ProcessMessages(); }
    std::unique_ptr<TWavePlayer> NewWavePlayer() override { return desktop.NewWavePlayer(); }
    HelpText Help() const override { return desktop.Help(); }

    std::vector<TMonitor> monitors;
    test::FakeSaverPlatform desktop;
    Log log;
    FakeWindow* field = nullptr;
    FakeWindow* lastCover = nullptr;
    int fieldScale = 0;
    std::pair<int, int> fieldSize;
    bool failToOpen = false;
    int quits = 0;
};

class SaverSessionTest : public ::testing::Test {
protected:
    void Settings(const std::string& extra = "") {
        test::WriteSaverSettings(env, DRAVELIN_DATA_DIR, extra);
    }
    void Start(std::vector<TMonitor> monitors, const std::string& settings = "") {
        Settings(settings);
        backEnd.monitors = std::move(monitors);
        session.Start();
    }
    // Monitors changed to `monitors`: what the windows did about it.
    Log Change(std::vector<TMonitor> monitors) {
        backEnd.log.clear();
        backEnd.monitors = std::move(monitors);
        session.MonitorsChanged();
        return backEnd.log;
    }

    test::IsolatedEnvironment env;
    VirtualScheduler clock;
    RandomGenerator random;
    FakeBackEnd backEnd;
    SaverSession session{backEnd, test::SettingsIn(env), clock, random};
};

const TMonitor kLeft{"A", {0, 0, 1024, 768}, true};
const TMonitor kRight{"B", {1024, 0, 2048, 768}};
const TMonitor kFar{"C", {2048, 0, 3328, 1024}};

TEST_F(SaverSessionTest, ShowsTheFieldOnThePrimaryMonitorAtAWholeScaleAndBlackOnTheOthers) {
    const TMonitor big{"B", {1024, 0, 2624, 1200}, true};
    const TMonitor mirror{"M", {1024, 0, 1824, 600}};
    Start({{"A", {0, 0, 1024, 768}}, big, mirror});
    EXPECT_EQ(backEnd.fieldScale, 2);
    EXPECT_EQ(backEnd.fieldSize, std::make_pair(800, 600)) << "1600 x 1200 shown twice";
    EXPECT_EQ(backEnd.log, (Log{"cover on A", "field on B", "field takes the keyboard"}))
        << "a monitor that shows part of the field stays uncovered";
    EXPECT_GT(backEnd.field->presented, 0);
    EXPECT_EQ(backEnd.desktop.saverRunning, std::vector<bool>{true});
    EXPECT_FALSE(session.QuitPosted());
}

TEST_F(SaverSessionTest, FollowsMonitorsThatComeGoAndChange) {
    Start({kLeft, kRight});
    EXPECT_EQ(Change({kLeft, kRight, kFar}), (Log{"cover on C", "field takes the keyboard"}))
        << "a new monitor is covered; the others stay as they are";
    EXPECT_EQ(Change({kLeft, kFar}),
              (Log{"cover on B closed", "cover on C", "field on A", "field takes the keyboard"}))
        << "when one goes, every window is shown again";
    TMonitor taller = kFar;
    taller.area.Bottom = 1200;
    EXPECT_EQ(Change({kLeft, taller}),
              (Log{"cover on C closed", "cover on C", "field on A", "field takes the keyboard"}));
    TMonitor primary = kRight;
    primary.primary = true;
    EXPECT_EQ(Change({primary, taller}),
              (Log{"cover on C closed", "cover on C", "field on B", "field takes the keyboard"}))
        << "the field moves to the primary monitor when its own goes, and the covers count "
           "their positions from there";
    EXPECT_EQ(Change({}), Log{}) << "no monitor for a moment: everything stays";
    EXPECT_EQ(Change({kLeft, primary, taller}), (Log{"cover on A", "field takes the keyboard"}))
        << "the field stays on its monitor";
    EXPECT_FALSE(session.QuitPosted());
}

TEST_F(SaverSessionTest, ACoversPositionsLieOutsideTheField) {
    Start({kLeft, kRight});
    clock.Advance(Milliseconds(3000));
    backEnd.field->events.mouseMove(10, 10); // the black around the field: the reference
    EXPECT_FALSE(session.QuitPosted());
    backEnd.lastCover->events.mouseMove(10, 10);
    EXPECT_EQ(backEnd.quits, 1) << "the cover's (10, 10) is not the field's";
    EXPECT_EQ(backEnd.desktop.saverRunning, (std::vector<bool>{true, false}));
}

TEST_F(SaverSessionTest, AFatalStartShowsItsMessageAndOpensNoWindow) {
    test::WriteFile(env.settings() / "control.ini", "[ScreenSaver.Zeilen]\nHome=/nonexistent\n");
    backEnd.monitors = {kLeft, kRight};
    session.Start();
    EXPECT_EQ(
        backEnd.desktop.messages,
        std::vector<std::string>{
            "Dravelin Didazi Screen Saver: Fatal Error: Please reinstall this screen saver."});
    EXPECT_TRUE(session.QuitPosted());
    EXPECT_EQ(session.ExitStatus(0), 0);
    EXPECT_EQ(backEnd.log, Log{});
    EXPECT_EQ(Change({kLeft}), Log{});
}

TEST_F(SaverSessionTest, AFailureIsShownOnceAndEndsWithoutAPassword) {
    Start({kLeft, kRight}, "PWD=secret\n");
    backEnd.lastCover->events.error(Exception("List index out of bounds"));
    backEnd.field->events.error(Exception("again, behind the message box"));
    EXPECT_EQ(backEnd.desktop.messages,
              std::vector<std::string>{"Dravelin Didazi Screen Saver: List index out of bounds"});
    EXPECT_TRUE(backEnd.desktop.prompts.empty());
    EXPECT_EQ(backEnd.quits, 1);
    EXPECT_EQ(session.ExitStatus(0), 1);
    EXPECT_EQ(backEnd.desktop.saverRunning, (std::vector<bool>{true, false}));
}

TEST_F(SaverSessionTest, AWindowThatCannotOpenFailsTheStart) {
    backEnd.failToOpen = true;
    Start({kLeft});
    EXPECT_EQ(backEnd.desktop.messages,
              std::vector<std::string>{"Dravelin Didazi Screen Saver: the window 0x2a is gone"});
    EXPECT_TRUE(session.QuitPosted());
    EXPECT_EQ(session.ExitStatus(0), 1);
    EXPECT_FALSE(backEnd.desktop.cursorHidden);
}

TEST_F(SaverSessionTest, ASignalOrTheForeignWindowGoingEndsWithoutAPassword) {
    for (const bool signal : {true, false}) {
        SCOPED_TRACE(signal ? "signal" : "window gone");
        FakeBackEnd own;
        SaverSession saver(own, test::SettingsIn(env), clock, random);
        Settings("PWD=secret\n");
        own.monitors = {kLeft};
        saver.Start();
        if (signal)
            saver.EndBySignal();
        else
            own.field->events.windowGone();
        EXPECT_TRUE(own.desktop.prompts.empty());
        EXPECT_EQ(own.quits, 1);
        EXPECT_EQ(saver.ExitStatus(0), 0);
        EXPECT_EQ(own.desktop.saverRunning, (std::vector<bool>{true, false}));
    }
}

} // namespace
} // namespace dd
