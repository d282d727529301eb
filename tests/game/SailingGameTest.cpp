#include "game/Helmsman.h"
#include "tests/support/GameScene.h"
#include "tests/support/PixelText.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace dd {
namespace {

using test::GameScene;
constexpr Milliseconds kMinute{60'000};

TPoint BuoyCentre(GameScene& g, int k) {
    const TRealPoint p = g.state.StarPoints[static_cast<std::size_t>(g.game->Course.BuoyOrder[k])];
    return {Round(p.X) + 400, Round(p.Y) + 300};
}

TPoint MarkerCentre(GameScene& g) {
    const TSprite& m = *g.c.spriteBoeiMarker;
    return {m.GetX() + m.GetWidth() / 2, m.GetY() + m.GetHeight() / 2};
}

void RunToFirstTick(GameScene& g) {
    ASSERT_TRUE(g.RunUntil([&] { return g.c.timerBoot->Enabled(); }, kMinute));
}

bool ResultShown(GameScene& g) {
    return g.c.timerGameOver->Enabled();
}

TEST(SailingGame, PresentsTheCourseThenStartsTheClockAtTheFirstBuoy) {
    GameScene g;
    g.game->StartDemo();
    EXPECT_EQ(g.state.GamePhase, TGamePhase::LeadIn);
    EXPECT_FALSE(g.c.timerBoot->Enabled());
    for (int k = 0; k < 10; ++k) {
        g.clock.Advance(Milliseconds(500));
        EXPECT_TRUE(g.c.spriteBoeiMarker->Visible());
        EXPECT_EQ(MarkerCentre(g), BuoyCentre(g, k)) << k;
        EXPECT_FALSE(g.c.timerBoot->Enabled());
    }
    g.clock.Advance(Milliseconds(500));
    EXPECT_TRUE(g.c.timerBoot->Enabled()) << "after 5.5 s the tick starts";
    EXPECT_FALSE(g.c.timerShowBoeien->Enabled());
    EXPECT_EQ(MarkerCentre(g), BuoyCentre(g, 0));
    EXPECT_EQ(g.game->StartTime, Milliseconds(5500));
}

TEST(SailingGame, TheLeadInHoldsTheBoatForTwentyTicksWhileTheHelmsmanSteers) {
    GameScene g;
    g.game->StartDemo();
    RunToFirstTick(g);
    const double heading = g.game->Boat.Heading;
    for (int t = 1; t < 20; ++t) {
        g.RunTick();
        EXPECT_EQ(g.state.GamePhase, TGamePhase::LeadIn);
        EXPECT_EQ(g.game->Boat.X, 0.0);
        EXPECT_EQ(g.game->Boat.Heading, heading);
    }
    const double rudder = g.game->Boat.Rudder;
    g.RunTick();
    EXPECT_EQ(g.state.GamePhase, TGamePhase::DemoFirstBuoy);
    EXPECT_EQ(g.clock.Elapsed(), Milliseconds(5500 + 2000));
    if (std::fabs(rudder) > kMaxTurnPerTick) {
        EXPECT_NEAR(std::fabs(Normalized(g.game->Boat.Heading - heading, false)), kMaxTurnPerTick,
                    1e-9);
    }
    EXPECT_NE(g.game->Boat.X, 0.0) << "the boat moves on the 20th tick";
}

TEST(SailingGame, ADemonstrationSailsTheStarShowsTheResultForTenSecondsAndStartsAgain) {
    GameScene g(1, true);
    g.game->StartDemo();
    ASSERT_TRUE(g.RunUntil([&] { return g.state.GamePhase == TGamePhase::DemoCourse; }, kMinute));
    EXPECT_EQ(g.game->CurrentBuoy, 1);
    EXPECT_EQ(MarkerCentre(g), BuoyCentre(g, 1));
    ASSERT_TRUE(
        g.RunUntil([&] { return g.state.GamePhase == TGamePhase::DemoFinish; }, 5 * kMinute));
    EXPECT_FALSE(g.c.spriteBoeiMarker->Visible());
    EXPECT_EQ(g.game->CurrentBuoy, 0);
    const double finish = g.game->FinishTime;
    EXPECT_NEAR(finish * kSecondsPerDay,
                static_cast<double>((g.clock.Elapsed() - Milliseconds(5500)).count()) / 1000, 1e-6);

    // The boat luffs up, the sheet eases right out, and once it stops the result shows.
    ASSERT_TRUE(g.RunUntil([&] { return ResultShown(g); }, kMinute));
    EXPECT_LE(g.game->Boat.Speed, 1.0 / 60);
    EXPECT_DOUBLE_EQ(g.game->Boat.SailLimit, kPi / 2);
    EXPECT_EQ(g.state.GamePhase, TGamePhase::DemoFinish);
    EXPECT_TRUE(g.c.spriteGameOver->Visible());
    for (TSprite* s : {g.c.spriteCenterBoot.get(), g.c.spriteCenterZeil.get(),
                       g.c.spriteMovingBoot.get(), g.c.spriteDemoText.get()})
        EXPECT_FALSE(s->Visible()) << s->Name;
    EXPECT_FALSE(g.c.timerBoot->Enabled());
    EXPECT_EQ(g.game->FinishTime, finish);

    const Milliseconds shown = g.clock.Elapsed();
    ASSERT_TRUE(g.RunUntil([&] { return !ResultShown(g); }, kMinute));
    EXPECT_EQ(g.clock.Elapsed() - shown, Milliseconds(10'000));
    EXPECT_EQ(g.state.GamePhase, TGamePhase::LeadIn);
    EXPECT_FALSE(g.c.spriteGameOver->Visible());
    EXPECT_TRUE(g.c.timerShowBoeien->Enabled()) << "the next course is presented";
}

TEST(SailingGame, ARaceIsSteeredByTheHeldKeys) {
    GameScene g(4);
    g.game->StartDemo();
    g.clock.Advance(Milliseconds(9000));
    g.state.KeyLeft = true;
    g.game->StartGame();
    EXPECT_EQ(g.state.GamePhase, TGamePhase::RaceFirstBuoy);
    EXPECT_FALSE(g.state.KeyLeft) << "StartGame clears the keys";
    EXPECT_FALSE(g.c.spriteDemoText->Visible());
    RunToFirstTick(g);

    g.state.KeyLeft = true;
    double heading = g.game->Boat.Heading;
    for (int t = 0; t < 3; ++t) {
        g.RunTick();
        EXPECT_NEAR(Normalized(g.game->Boat.Heading - heading, false), kMaxTurnPerTick, 1e-9);
        heading = g.game->Boat.Heading;
    }
    g.state.KeyLeft = false;
    g.RunTick(); // the rest of the held turn
    g.game->Boat.Rudder = 0;

    g.game->Boat.SailLimit = Degrees(30);
    g.state.KeyHome = true;
    g.soundLog.clear();
    g.RunTick();
    g.RunTick();
    EXPECT_NEAR(g.game->Boat.SailLimit, Degrees(10), 1e-12) << "10 degrees is below one step";
    EXPECT_EQ(std::count(g.soundLog.begin(), g.soundLog.end(), "play 2"), 1);
    g.state.KeyHome = false;
    g.state.KeyPageUp = true;
    for (int t = 0; t < 5; ++t)
        g.RunTick();
    EXPECT_NEAR(g.game->Boat.SailLimit, Degrees(90), 1e-12);
    EXPECT_NEAR(std::fabs(g.game->Boat.Sail), Degrees(90), 1e-12)
        << "in a race the boom sits at the sheet's length";
}

// A player at the keys: before each tick it holds what turns the rudder and the sheet toward
// where the demonstration's helmsman would put them.
void HoldKeysLikeTheHelmsman(GameScene& g) {
    const TBoatState& boat = g.game->Boat;
    TBoatState wanted = boat;
    const auto buoy = static_cast<std::size_t>(
        g.game->Course.BuoyOrder[static_cast<std::size_t>(g.game->CurrentBuoy)]);
    AutoPilot(wanted, g.game->Weather, g.state.StarPoints[buoy],
              {800, 600, g.game->BoatPicWidth, g.game->BoatPicHeight});
    g.state.KeyLeft = wanted.Rudder > boat.Rudder + kRudderStep / 2;
    g.state.KeyRight = wanted.Rudder < boat.Rudder - kRudderStep / 2;
    g.state.KeyPageUp = wanted.SailLimit > boat.SailLimit + kSheetStep / 2;
    g.state.KeyHome = wanted.SailLimit < boat.SailLimit - kSheetStep / 2;
}

TEST(SailingGame, ARaceSteeredByKeysReachesItsFinishAndShowsTheResult) {
    GameScene g(8);
    g.game->StartGame();
    RunToFirstTick(g);
    for (int tick = 0; tick < 20'000 && g.state.GamePhase != TGamePhase::RaceFinish; ++tick) {
        HoldKeysLikeTheHelmsman(g);
        g.RunTick();
    }
    ASSERT_EQ(g.state.GamePhase, TGamePhase::RaceFinish) << "the keys sailed the course";
    EXPECT_GT(g.game->FinishTime, 0);
    EXPECT_LT(g.game->FinishTime, 3 * g.game->Course.TargetTime);
    g.state.KeyLeft = g.state.KeyRight = g.state.KeyHome = g.state.KeyPageUp = false;

    ASSERT_TRUE(g.RunUntil([&] { return ResultShown(g); }, kMinute)) << "the boat stops";
    EXPECT_TRUE(g.c.spriteGameOver->Visible());
    EXPECT_FALSE(g.c.spriteMovingBoot->Visible());
    GameScene shown;
    shown.ShowResults({static_cast<int>(std::lround(g.game->FinishTime * kSecondsPerDay))});
    EXPECT_EQ(test::DifferingPixels(g.c.spriteGameOver->FrameList().Image(),
                                    shown.c.spriteGameOver->FrameList().Image()),
              0)
        << "the result shows the race's time";

    ASSERT_TRUE(g.RunUntil([&] { return !ResultShown(g); }, kMinute));
    EXPECT_EQ(g.state.GamePhase, TGamePhase::LeadIn) << "a demonstration follows";
}

TEST(SailingGame, ARaceLeftAloneTimesOutAtThreeTimesTheTargetTime) {
    GameScene g(6);
    g.game->StartGame();
    RunToFirstTick(g);
    const double target = g.game->Course.TargetTime * kSecondsPerDay;
    ASSERT_TRUE(g.RunUntil([&] { return g.state.GamePhase == TGamePhase::LeadIn; }, 30 * kMinute));
    const double elapsed = static_cast<double>(g.clock.Elapsed().count()) / 1000 - 5.5;
    EXPECT_GT(elapsed, 3 * target);
    EXPECT_LT(elapsed, 3 * target + 0.11);
    EXPECT_TRUE(g.c.timerShowBoeien->Enabled());
}

TEST(SailingGame, ARaceStartedDuringAResultIsNotCutOffByIt) {
    GameScene g(1, true);
    g.game->StartDemo();
    ASSERT_TRUE(g.RunUntil([&] { return ResultShown(g); }, 10 * kMinute));
    g.clock.Advance(Milliseconds(4000));
    g.game->StartGame();
    EXPECT_FALSE(g.c.timerGameOver->Enabled());
    EXPECT_FALSE(g.c.spriteGameOver->Visible());
    g.clock.Advance(Milliseconds(20'000));
    EXPECT_TRUE(IsRace(g.state.GamePhase));
}

TEST(SailingGame, ATickArrivingWhileClosingStartsNothing) {
    GameScene g;
    g.game->StartDemo();
    RunToFirstTick(g);
    for (int t = 0; t < 30; ++t)
        g.RunTick();
    const TBoatState before = g.game->Boat;
    const TGamePhase phase = g.state.GamePhase;
    g.state.Closing = true;
    g.RunTick();
    EXPECT_FALSE(g.c.timerBoot->Enabled());
    EXPECT_EQ(g.game->Boat.X, before.X);
    EXPECT_EQ(g.state.GamePhase, phase);
    g.clock.Advance(kMinute);
    EXPECT_EQ(g.game->Boat.X, before.X);
}

TEST(SailingGame, TheCaptionBlinksFourTicksOutOfEight) {
    GameScene g;
    g.game->StartDemo();
    ASSERT_TRUE(
        g.RunUntil([&] { return g.state.GamePhase == TGamePhase::DemoFirstBuoy; }, kMinute));
    for (int t = 0; t < 24; ++t) {
        g.RunTick();
        const int counter = g.game->BlinkCounter;
        EXPECT_EQ(g.c.spriteDemoText->Visible(), counter >= 2 && counter <= 5) << counter;
    }
}

TEST(SailingGame, TheFlappingSoundPlaysInIronsAndStopsTheTickTheBowBearsAway) {
    GameScene g(8);
    g.game->StartGame();
    RunToFirstTick(g);
    TBoatState& b = g.game->Boat;
    b.Heading = Normalized(g.game->Weather.WindDir + kPi, true);
    b.Rudder = 0;
    g.RunTick();
    EXPECT_EQ(g.game->Sounds.CurrentSound, 0);
    EXPECT_EQ(g.game->LastHeelIndex, 4);
    EXPECT_EQ(g.game->LastSailFrame, 16);
    g.RunTick();
    EXPECT_EQ(std::count(g.soundLog.begin(), g.soundLog.end(), "play 0"), 1);
    b.Heading = Normalized(g.game->Weather.WindDir + kPi / 2, true);
    g.RunTick();
    EXPECT_EQ(g.game->Sounds.CurrentSound, kNoSound);
    EXPECT_EQ(g.soundLog.back(), "stop 0");
}

TEST(SailingGame, TheIncrementalScreenMatchesAFullRepaint) {
    GameScene g(3);
    g.game->StartDemo();
    for (int second = 0; second < 40; second += 8) {
        g.clock.Advance(Milliseconds(8000));
        const Bitmap drawn = g.form.Surface();
        g.form.Paint();
        EXPECT_EQ(test::DifferingPixels(drawn, g.form.Surface()), 0)
            << "after " << second + 8 << " s";
    }
}

// What one game tick did: "move" for every sprite placed and "paint" for every area handed to
// the window, in order, and the areas painted.
struct TickRecord {
    std::vector<std::string> events;
    std::vector<TRect> painted;
};

// Runs timers up to and including the next game tick, and records what that tick did.
TickRecord NextTick(GameScene& g) {
    TickRecord tick;
    auto forEachSprite = [&](const auto& f) {
        for (int i = 0; i < g.c.SpriteBox1->SpriteCount(); ++i)
            if (auto* sprite = dynamic_cast<TSprite*>(&g.c.SpriteBox1->Sprites(i)))
                f(*sprite);
    };
    forEachSprite([&](TSprite& s) {
        s.OnMove = [&](TSprite&, int&, int&) { tick.events.push_back("move"); };
    });
    g.form.OnDamage = [&](const TRect& r) {
        tick.events.push_back("paint");
        tick.painted.push_back(r);
    };
    const long before = g.ticks;
    while (g.ticks == before) {
        tick = {};
        if (!g.clock.RunNext())
            break;
    }
    g.form.OnDamage = nullptr;
    forEachSprite([](TSprite& s) { s.OnMove = nullptr; });
    return tick;
}

TEST(SailingGame, ATickComposesOnceAfterAllItsChangesAndOnlyWhatChanged) {
    GameScene g(5);
    g.game->StartDemo();
    ASSERT_TRUE(g.RunUntil([&] { return g.state.GamePhase == TGamePhase::DemoCourse; }, kMinute));
    int panelPaints = 0;
    const TRect panel = g.c.spriteTijden->BoundsRect();
    for (int t = 0; t < 100; ++t) {
        const TickRecord tick = NextTick(g);
        const auto firstPaint = std::find(tick.events.begin(), tick.events.end(), "paint");
        EXPECT_TRUE(std::find(firstPaint, tick.events.end(), "move") == tick.events.end())
            << "tick " << t << " placed a sprite after painting";
        for (const TRect& r : tick.painted) {
            TRect both;
            panelPaints += IntersectRect(both, r, panel);
        }
    }
    // 100 ticks of 100 ms: the clock's text changes ten times, and the boat keeps away from it.
    EXPECT_GE(panelPaints, 9);
    EXPECT_LE(panelPaints, 11);

    // A boat lying still in still water and air, between two changes of the clock's text,
    // changes nothing on the screen.
    g.state.GamePhase = TGamePhase::RaceCourse; // no helmsman
    g.game->Weather.WindForce = 0;
    g.game->Weather.CurrentForce = 0;
    g.game->Boat.Speed = 0;
    g.game->Boat.Rudder = 0;
    const std::string shown = g.game->PanelLines[1];
    while (g.game->PanelLines[1] == shown)
        NextTick(g);
    const TickRecord still = NextTick(g);
    EXPECT_TRUE(still.events.empty()) << still.events.size() << " changes";
}

} // namespace
} // namespace dd
