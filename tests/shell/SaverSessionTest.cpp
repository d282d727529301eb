#include "shell/SaverSession.h"

#include "platform/core/Exception.h"
#include "platform/time/VirtualScheduler.h"
#include "tests/support/FakeSaverHost.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace dd {
namespace {

using Log = test::WindowLog;
using FakeBackEnd = test::FakeSaverHost;

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
    const SurfacePlacement& shown = backEnd.fieldPlacement;
    EXPECT_TRUE(shown.X().Whole() && shown.Y().Whole());
    EXPECT_EQ(shown.ToDevice({0, 0, 800, 600}), (TRect{0, 0, 1600, 1200}))
        << "1600 x 1200 shown twice";
    EXPECT_EQ(backEnd.log, (Log{"cover on A", "field on B", "field takes the keyboard"}))
        << "a monitor that shows part of the field stays uncovered";
    EXPECT_GT(backEnd.field->presented, 0);
    EXPECT_EQ(backEnd.saverRunning, std::vector<bool>{true});
    EXPECT_FALSE(session.QuitPosted());
}

TEST_F(SaverSessionTest, OnAWideMonitorTheFieldFillsTheHeightAndMovementsCountInDevicePixels) {
    Start({{"W", {0, 0, 1920, 1080}, true}});
    const SurfacePlacement& shown = backEnd.fieldPlacement;
    EXPECT_EQ(shown.SurfaceWidth(), 1068) << "the surface reaches both edges at 1.8";
    EXPECT_EQ(shown.SurfaceHeight(), 600);
    EXPECT_EQ(shown.ToDevice(TRect{134, 0, 934, 600}), (TRect{240, 0, 1680, 1080}));
    clock.Advance(Milliseconds(3000));
    backEnd.field->Move(960, 540);
    EXPECT_FALSE(session.QuitPosted());
    backEnd.field->Move(961, 540);
    EXPECT_TRUE(session.QuitPosted()) << "a fraction of a field pixel still ends it";
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

TEST_F(SaverSessionTest, WhenItsMonitorChangesSizeTheFieldIsShownAtTheScaleThatFitsIt) {
    Start({kLeft});
    const SurfacePlacement before = backEnd.fieldPlacement;
    EXPECT_EQ(before.ToDevice(TRect{0, 0, 800, 600}), (TRect{0, 0, 1024, 768}));
    TMonitor wide = kLeft;
    wide.area = {0, 0, 1920, 1080};
    EXPECT_EQ(Change({wide}), (Log{"field on A closed", "field on A", "field takes the keyboard"}))
        << "a window of its own for the new placement";
    const SurfacePlacement& after = backEnd.fieldPlacement;
    EXPECT_EQ(after.SurfaceWidth(), 800) << "the same surface";
    EXPECT_EQ(after.ToDevice(TRect{0, 0, 800, 600}), (TRect{240, 0, 1680, 1080}));
    clock.Advance(Milliseconds(3000));
    backEnd.field->Move(100, 500); // left of the field now: the surround
    backEnd.field->Move(100, 501);
    EXPECT_TRUE(session.QuitPosted()) << "positions follow the new placement";
}

TEST_F(SaverSessionTest, AWindowClosedWhileAPromptIsUpGoesOnlyOnceTheEventIsOver) {
    Start({kLeft, kRight}, "PWD=secret\n");
    clock.Advance(Milliseconds(3000));
    Log duringPrompt;
    backEnd.whilePrompting = [&] { duringPrompt = Change({kLeft}); };
    backEnd.lastCover->Click(5, 5);
    EXPECT_EQ(duringPrompt, (Log{"field on A", "field takes the keyboard"}))
        << "the clicked cover outlives the prompt that runs inside its click";
    EXPECT_EQ(backEnd.log.back(), "cover on B closed");
}

TEST_F(SaverSessionTest, ACoversPositionsLieOutsideTheField) {
    Start({kLeft, kRight});
    clock.Advance(Milliseconds(3000));
    backEnd.field->Move(10, 10); // the black around the field: the reference
    EXPECT_FALSE(session.QuitPosted());
    backEnd.lastCover->Move(10, 10);
    EXPECT_EQ(backEnd.quitPosted, 1) << "the cover's (10, 10) is not the field's";
    EXPECT_EQ(backEnd.saverRunning, (std::vector<bool>{true, false}));
}

TEST_F(SaverSessionTest, AFatalStartShowsItsMessageAndOpensNoWindow) {
    test::WriteFile(env.settings() / "control.ini", "[ScreenSaver.Zeilen]\nHome=/nonexistent\n");
    backEnd.monitors = {kLeft, kRight};
    session.Start();
    EXPECT_EQ(
        backEnd.messages,
        std::vector<std::string>{
            "Dravelin Didazi Screen Saver: Fatal Error: Please reinstall this screen saver."});
    EXPECT_TRUE(session.QuitPosted());
    EXPECT_EQ(session.ExitStatus(0), 0);
    EXPECT_EQ(backEnd.log, Log{});
    EXPECT_EQ(Change({kLeft}), Log{});
}

TEST_F(SaverSessionTest, AFailureIsShownOnceAndEndsWithoutAPassword) {
    Start({kLeft, kRight}, "PWD=secret\n");
    session.Fail(Exception("List index out of bounds"));
    session.Fail(Exception("again, behind the message box"));
    EXPECT_EQ(backEnd.messages,
              std::vector<std::string>{"Dravelin Didazi Screen Saver: List index out of bounds"});
    EXPECT_TRUE(backEnd.prompts.empty());
    EXPECT_EQ(backEnd.quitPosted, 1);
    EXPECT_EQ(session.ExitStatus(0), 1);
    EXPECT_EQ(backEnd.saverRunning, (std::vector<bool>{true, false}));
}

TEST_F(SaverSessionTest, ACoverThatCannotOpenForANewMonitorIsShownAndEndsTheSaver) {
    Start({kLeft}, "PWD=secret\n");
    backEnd.failToOpen = true;
    Change({kLeft, kRight});
    EXPECT_EQ(backEnd.messages,
              std::vector<std::string>{"Dravelin Didazi Screen Saver: the window 0x2a is gone"});
    EXPECT_TRUE(backEnd.prompts.empty());
    EXPECT_TRUE(session.QuitPosted());
    EXPECT_EQ(session.ExitStatus(0), 1);
}

TEST_F(SaverSessionTest, AWindowThatCannotOpenFailsTheStart) {
    backEnd.failToOpen = true;
    Start({kLeft});
    EXPECT_EQ(backEnd.messages,
              std::vector<std::string>{"Dravelin Didazi Screen Saver: the window 0x2a is gone"});
    EXPECT_TRUE(session.QuitPosted());
    EXPECT_EQ(session.ExitStatus(0), 1);
    EXPECT_FALSE(backEnd.cursorHidden);
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
            saver.WindowGone();
        EXPECT_TRUE(own.prompts.empty());
        EXPECT_EQ(own.quitPosted, 1);
        EXPECT_EQ(saver.ExitStatus(0), 0);
        EXPECT_EQ(own.saverRunning, (std::vector<bool>{true, false}));
    }
}

} // namespace
} // namespace dd
