#include "shell/UMain.h"

#include "platform/time/VirtualScheduler.h"
#include "tests/support/FakeSaverHost.h"
#include "tests/support/PixelText.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <utility>

namespace dd {
namespace {

using test::FakeSaverHost;
constexpr Milliseconds kSecond{1000};

class SaverTest : public ::testing::Test {
protected:
    // Settings with the bundled data folder as "Home", plus any extra lines of the section.
    void Settings(const std::string& extra = "") {
        test::WriteSaverSettings(env, DRAVELIN_DATA_DIR, extra);
    }
    TfrmMain& Start(int width = 1024, int height = 768) {
        if (!std::filesystem::exists(env.settings() / "control.ini"))
            Settings();
        platform = std::make_unique<FakeSaverHost>(width, height);
        saver = std::make_unique<TfrmMain>(*platform, platform->OneToOne(), test::SettingsIn(env),
                                           clock, random);
        saver->Show();
        return *saver;
    }
    // Runs until the game ticks, in the demonstration or in a race.
    void RunToTicks() {
        for (int i = 0; i < 200 && !saver->Components.timerBoot->Enabled(); ++i)
            clock.Advance(Milliseconds(100));
        ASSERT_TRUE(saver->Components.timerBoot->Enabled());
    }
    bool Ended() const { return platform->quitPosted > 0; }

    test::IsolatedEnvironment env;
    VirtualScheduler clock;
    RandomGenerator random;
    std::unique_ptr<FakeSaverHost> platform;
    std::unique_ptr<TfrmMain> saver;
};

TEST_F(SaverTest, CoversTheScreenWithTheFieldCentredInABlackSurround) {
    TfrmMain& s = Start();
    EXPECT_EQ(s.Caption(), "Dravelin Didazi Screen Saver");
    EXPECT_EQ(s.ClientWidth(), 1024);
    EXPECT_EQ(s.ClientHeight(), 768);
    const TSpriteBox& box = *s.Components.SpriteBox1;
    EXPECT_EQ(box.BoundsRect(), (TRect{112, 84, 912, 684}));
    EXPECT_EQ(s.State.HorizonY, 390);
    EXPECT_EQ(platform->saverRunning, std::vector<bool>{true});
    EXPECT_TRUE(platform->cursorHidden);
    EXPECT_EQ(s.Surface().Pixel(5, 5), clBlack);
    EXPECT_EQ(s.Surface().Pixel(1000, 700), clBlack);
    EXPECT_NE(s.Surface().Pixel(500, 150), clBlack) << "the sky";
    EXPECT_FALSE(s.Components.timerShowBoeien->Enabled());
    clock.Advance(kSecond);
    EXPECT_TRUE(s.Components.timerShowBoeien->Enabled()) << "the demonstration starts";
    EXPECT_FALSE(s.Components.timerStart->Enabled());
    EXPECT_EQ(platform->soundLog.size(), 4u) << "the four sounds are opened";
    EXPECT_FALSE(s.CloseQuery()) << "close requests are refused";
    EXPECT_FALSE(Ended());
}

TEST_F(SaverTest, OnASmallScreenTheFieldFillsIt) {
    TfrmMain& s = Start(640, 480);
    EXPECT_EQ(s.Components.SpriteBox1->BoundsRect(), (TRect{0, 0, 640, 480}));
    EXPECT_EQ(s.State.FieldWidth, 640);
    EXPECT_EQ(s.State.HorizonY, 330);
    EXPECT_EQ(s.Components.SpriteBox1->Picture().Width(), 640);
}

TEST_F(SaverTest, AMissingBackgroundTakesTheFatalPath) {
    test::WriteFile(env.settings() / "control.ini", "[ScreenSaver.Zeilen]\nHome=/nonexistent\n"
                                                    "PWD=secret\n");
    TfrmMain& s = Start();
    EXPECT_EQ(
        platform->messages,
        std::vector<std::string>{
            "Dravelin Didazi Screen Saver: Fatal Error: Please reinstall this screen saver."});
    EXPECT_TRUE(platform->prompts.empty()) << "the password is dropped";
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(s.State.Closing);
    EXPECT_FALSE(s.Game);
    s.FormKeyPress('g');
    clock.Advance(10 * kSecond);
    EXPECT_FALSE(s.Components.timerShowBoeien->Enabled());
}

TEST_F(SaverTest, InTheDemonstrationAOnePixelMovementEndsTheSaver) {
    TfrmMain& s = Start();
    clock.Advance(3 * kSecond);
    s.MouseMove(162, 104); // the field's own (50, 20)
    EXPECT_FALSE(Ended()) << "the first movement only sets the reference";
    EXPECT_EQ(s.MouseRefX, 50);
    EXPECT_EQ(s.MouseRefY, 20);
    s.MouseMove(50, 20); // the surround's (50, 20): positions are the control's own
    EXPECT_FALSE(Ended());
    s.MouseMove(51, 20);
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(s.State.Closing);
    EXPECT_EQ(platform->saverRunning, (std::vector<bool>{true, false}));
    EXPECT_FALSE(platform->cursorHidden);
    EXPECT_FALSE(s.Components.timerBoot->Enabled());
    EXPECT_FALSE(s.Components.timerShowBoeien->Enabled());
}

TEST_F(SaverTest, SHAndGWorkInTheDemonstrationWithoutEndingIt) {
    TfrmMain& s = Start();
    clock.Advance(2 * kSecond);
    const bool sound = s.State.SoundOn;
    s.FormKeyDown(vk::S);
    s.FormKeyPress('s');
    EXPECT_EQ(s.State.SoundOn, !sound);
    s.FormKeyDown(vk::H);
    s.FormKeyPress('h');
    EXPECT_TRUE(s.memoRules->Visible);
    EXPECT_EQ(s.memoRules->Lines.size(), 19u);
    EXPECT_EQ(s.Surface().Pixel(8 + 200, 8 + 270), clWhite) << "the help text box is drawn";
    s.FormKeyPress('H');
    EXPECT_FALSE(s.memoRules->Visible);
    s.FormKeyPress('h');
    EXPECT_EQ(platform->helpCopies, 1) << "the help text is copied once";
    EXPECT_GE(platform->processed, 3);
    s.FormKeyDown(vk::G);
    s.FormKeyPress('g');
    EXPECT_EQ(s.State.GamePhase, TGamePhase::RaceFirstBuoy);
    EXPECT_FALSE(Ended());
}

TEST_F(SaverTest, STurnsTheSoundOffAndSilencesTheSoundPlaying) {
    Settings("Sound=1\n");
    TfrmMain& s = Start();
    ASSERT_TRUE(s.State.SoundOn);
    s.Game->Sounds.PlaySound(Sound::Water, true);
    ASSERT_EQ(platform->soundLog.back(), "play 3");
    s.FormKeyDown(vk::S);
    s.FormKeyPress('s');
    EXPECT_FALSE(s.State.SoundOn);
    EXPECT_EQ(platform->soundLog.back(), "stop 3");
    s.Game->Sounds.PlaySound(Sound::Winch, true);
    EXPECT_EQ(platform->soundLog.back(), "stop 3") << "nothing plays while the sound is off";
    EXPECT_FALSE(Ended());
}

TEST_F(SaverTest, InTheDemonstrationEveryOtherKeyEndsTheSaver) {
    for (int key : {vk::Left, vk::Escape, 16, 17, 0xFF}) {
        SCOPED_TRACE(key);
        Start();
        saver->FormKeyDown(key);
        EXPECT_TRUE(Ended());
    }
}

TEST_F(SaverTest, InARaceOnlyEscapeAndClicksEnd) {
    TfrmMain& s = Start();
    clock.Advance(2 * kSecond);
    s.FormKeyPress('g');
    RunToTicks();
    s.MouseMove(10, 10);
    s.MouseMove(300, 300);
    EXPECT_FALSE(Ended()) << "movement is ignored in a race";
    for (int key : {vk::Left, vk::Numpad6, vk::Home, vk::Numpad9}) {
        s.FormKeyDown(key);
    }
    EXPECT_TRUE(s.State.KeyLeft && s.State.KeyRight && s.State.KeyHome && s.State.KeyPageUp);
    s.FormKeyUp(vk::Numpad4);
    s.FormKeyUp(vk::Right);
    EXPECT_FALSE(s.State.KeyLeft || s.State.KeyRight);
    s.FormKeyDown(vk::G);
    s.FormKeyPress('g');
    EXPECT_EQ(s.State.GamePhase, TGamePhase::RaceFirstBuoy) << "G does nothing in a race";
    s.FormKeyDown(vk::S);
    s.FormKeyDown(83 + 1);
    EXPECT_FALSE(Ended());
    s.State.GamePhase = TGamePhase::RaceFinish; // the result of a race is on screen
    s.MouseMove(1, 1);
    s.MouseMove(2, 2);
    s.FormKeyDown(vk::Left);
    EXPECT_FALSE(Ended()) << "a race's result keeps the race's keys";
    EXPECT_TRUE(s.State.KeyLeft);
    s.MouseDown(500, 400);
    EXPECT_TRUE(Ended());
}

TEST_F(SaverTest, ARaceStartedBeforeTheDemonstrationBeginsStaysUntilEscape) {
    TfrmMain& s = Start();
    s.FormKeyPress('g');
    ASSERT_EQ(s.State.GamePhase, TGamePhase::RaceFirstBuoy);
    const TBuoyOrder course = s.Game->Course.BuoyOrder;
    clock.Advance(2 * kSecond);
    EXPECT_EQ(s.State.GamePhase, TGamePhase::RaceFirstBuoy);
    EXPECT_EQ(s.Game->Course.BuoyOrder, course);
    EXPECT_FALSE(Ended());
    s.FormKeyDown(vk::Escape);
    EXPECT_TRUE(Ended());
}

TEST_F(SaverTest, AWrongPasswordReturnsToTheSaverAndResetsTheMouseReference) {
    Settings("PWD=Secret\n");
    TfrmMain& s = Start();
    clock.Advance(7 * kSecond);
    bool ticked = false;
    platform->whilePrompting = [&] {
        const long before = s.Components.timerBoot->Tag;
        clock.Advance(kSecond);
        ticked = s.Components.timerBoot->Tag != before || s.State.GamePhase != TGamePhase::LeadIn;
    };
    platform->typed = {"secret", "Secret"};
    s.MouseMove(100, 100);
    s.MouseMove(101, 100);
    EXPECT_EQ(platform->prompts, std::vector<std::string>{"Secret"});
    EXPECT_FALSE(Ended()) << "letter case counts";
    EXPECT_TRUE(ticked) << "the game goes on behind the prompt";
    EXPECT_FALSE(s.MouseRefSet);
    s.MouseMove(300, 300);
    EXPECT_EQ(platform->prompts.size(), 1u) << "the next movement only sets a new reference";
    s.MouseMove(300, 301);
    EXPECT_EQ(platform->prompts.size(), 2u);
    EXPECT_TRUE(Ended());
}

TEST_F(SaverTest, NoSecondPasswordPromptWhileOneIsUp) {
    Settings("PWD=Secret\n");
    TfrmMain& s = Start();
    clock.Advance(7 * kSecond);
    // Input that reaches the window while the prompt is up, as a modal loop lets it.
    bool inputSent = false;
    platform->whilePrompting = [&] {
        if (std::exchange(inputSent, true))
            return;
        s.MouseMove(400, 400);
        s.MouseMove(401, 400);
        s.FormKeyDown(vk::Left);
        s.MouseDown(10, 10);
    };
    platform->typed = {"wrong", "wrong"};
    s.FormKeyDown(vk::Right);
    EXPECT_EQ(platform->prompts.size(), 1u);
    EXPECT_FALSE(Ended());
}

TEST_F(SaverTest, TheDesktopFlagCanSwitchThePasswordOff) {
    Settings("PWD=Secret\n");
    env.SetDesktopPasswordFlag(0);
    TfrmMain& s = Start();
    s.MouseDown(500, 400);
    EXPECT_TRUE(platform->prompts.empty());
    EXPECT_TRUE(Ended());
}

TEST_F(SaverTest, TheHelpTextTakesItsOwnClicksAndMovementsInBothModes) {
    TfrmMain& s = Start();
    clock.Advance(2 * kSecond);
    s.FormKeyPress('h');
    const TRect help = s.memoRules->BoundsRect();
    s.MouseMove(help.Left + 5, help.Top + 5);
    s.MouseMove(help.Left + 9, help.Top + 7);
    s.MouseDown(help.Left + 9, help.Top + 7);
    EXPECT_FALSE(Ended()) << "clicks and movements over the help text are its own";
    EXPECT_TRUE(s.MemoFocused());
    s.FormKeyPress('x');
    EXPECT_FALSE(s.memoRules->Visible) << "a key typed into it hides it";
    s.MouseDown(help.Left + 9, help.Top + 7);
    EXPECT_TRUE(Ended()) << "where the hidden help text was, a click is the window's";
}

TEST_F(SaverTest, AKeyTypedIntoTheFocusedHelpTextOnlyHidesIt) {
    TfrmMain& s = Start();
    s.FormKeyPress('g');
    s.FormKeyPress('h');
    s.FormKeyDown(vk::Tab);
    EXPECT_TRUE(s.MemoFocused());
    s.FormKeyDown(vk::Escape);
    EXPECT_FALSE(Ended()) << "keys go to the help text, not to the window";
    s.FormKeyPress('g');
    EXPECT_FALSE(s.memoRules->Visible);
    EXPECT_FALSE(s.MemoFocused());
    EXPECT_EQ(s.State.GamePhase, TGamePhase::RaceFirstBuoy) << "and nothing else happens";
    s.FormKeyDown(vk::Escape);
    EXPECT_TRUE(Ended());
}

TEST_F(SaverTest, HidingTheHelpRestoresTheScreenUnderIt) {
    TfrmMain& s = Start();
    clock.Advance(3 * kSecond);
    s.FormKeyPress('h');
    clock.Advance(2 * kSecond);
    s.FormKeyPress('h');
    const Bitmap shown = s.Surface();
    s.Paint();
    EXPECT_EQ(test::DifferingPixels(shown, s.Surface()), 0);
}

} // namespace
} // namespace dd
