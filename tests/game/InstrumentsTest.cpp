#include "game/Instruments.h"

#include "game/Course.h"
#include "game/PanelText.h"
#include "tests/support/GameScene.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace dd {
namespace {

TBoatState WithSail(double sail) {
    TBoatState b;
    b.Sail = sail;
    return b;
}

TEST(HeelIndex, UprightOnlyForABoomOnTheCentreLine) {
    const TWeather calm{};
    EXPECT_EQ(HeelIndex(WithSail(0), calm), 4);
    EXPECT_EQ(HeelIndex(WithSail(-0.2), calm), 3) << "no force: the smallest heel, boom side";
    EXPECT_EQ(HeelIndex(WithSail(0.2), calm), 5);
    EXPECT_EQ(SailFrameFor(4, 0), 16);
    for (double deg : {10.0, 30.0, 60.0, 80.0})
        EXPECT_EQ(SailFrameFor(3, -Degrees(deg)), 12 + (deg > 25) + (deg > 50) + (deg > 75));
}

TEST(HeelIndex, AFullSailAcrossTheBoatHeelsFortyFiveDegrees) {
    // Boom at 150 degrees; a wind toward 60 degrees fills it square from the proper side.
    const TBoatState b = WithSail(-Degrees(30));
    const TWeather w{4, Degrees(60), 0, 0};
    EXPECT_NEAR(SailForce(b, w), 2.0, 1e-12);
    EXPECT_EQ(HeelIndex(b, w), 0);
    EXPECT_EQ(SailFrameFor(0, b.Sail), 1);
    EXPECT_EQ(HeelIndex(WithSail(Degrees(30)), w), 5) << "back-winded: no force";
    EXPECT_EQ(SailFrameFor(5, Degrees(80)), 20);
    EXPECT_EQ(SailFrameFor(8, Degrees(80)), 32);
    EXPECT_EQ(SailFrameFor(0, Degrees(10)), 0);
}

TEST(InIrons, MeansTheBowWithinFortyFiveDegreesOfTheWindsOrigin) {
    const TWeather w{3, 0, 0, 0}; // from the left, origin at 180 degrees
    TBoatState b;
    b.Heading = Degrees(180 - 44.9);
    EXPECT_TRUE(InIrons(b, w));
    b.Heading = Degrees(180 + 44.9);
    EXPECT_TRUE(InIrons(b, w));
    b.Heading = Degrees(180 - 45.1);
    EXPECT_FALSE(InIrons(b, w));
}

TEST(WindRoseNumbers, StepThroughThreeToSeven) {
    const std::pair<int, int> winds[] = {{70, 3}, {74, 3}, {75, 4},  {85, 4},
                                         {86, 5}, {95, 6}, {105, 6}, {109, 7}};
    for (auto [force, number] : winds)
        EXPECT_EQ(WindNumber(force / 30.0), number) << force;
    const std::pair<int, int> currents[] = {{10, 3}, {12, 3}, {13, 4}, {22, 5}, {29, 7}};
    for (auto [force, number] : currents)
        EXPECT_EQ(CurrentNumber(force / 300.0), number) << force;
}

TEST(HorizonSailLeft, SailsStandRightOfTheLeftEdgeByTheirBearingBehindTheBow) {
    EXPECT_FALSE(HorizonSailLeft(1.0, 1.0, 800)) << "x = 0 is not inside the field";
    EXPECT_EQ(HorizonSailLeft(0.5, 1.0, 800), 175);
    EXPECT_FALSE(HorizonSailLeft(1.1, 1.0, 800)) << "counter-clockwise of the heading";
    EXPECT_TRUE(HorizonSailLeft(1.0 - 2.28, 1.0, 800));
    EXPECT_FALSE(HorizonSailLeft(1.0 - 2.29, 1.0, 800));
    EXPECT_EQ(HorizonSailLeft(2 * kPi - 0.3, 0.4, 800), 245) << "across the zero angle";
}

TEST(BoatPicturePoint, UsesTheWidthForBothRadii) {
    EXPECT_EQ(BoatPicturePoint(0, 1, 44, 44), (TPoint{22 + 20, 22}));
    EXPECT_EQ(BoatPicturePoint(kPi / 2, 1, 40, 60), (TPoint{20, 30 - 19}));
}

TEST(DrawSmallBoat, DrawsAWhiteHullWithABlackOutlineAndBoomAndNothingElse) {
    TFrameList list;
    list.Image().SetSize(44, 44);
    list.Mask() = Bitmap(44, 44, PixelFormat::Mono);
    TBoatState b;
    b.Heading = kPi / 2; // bow up
    b.Sail = Degrees(20);
    DrawSmallBoat(list, SmallBoatOutline(b, 44, 44), 44, 44);
    int white = 0, outline = 0;
    for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 44; ++x) {
            const TColor c = list.Image().Pixel(x, y);
            const bool opaque = list.Mask().Pixel(x, y) == clBlack;
            ASSERT_TRUE(c == clWhite || c == clBlack) << x << "," << y;
            if (c == clWhite) {
                ++white;
                EXPECT_TRUE(opaque) << "the hull shows at " << x << "," << y;
            } else {
                outline += opaque;
            }
        }
    }
    EXPECT_GT(white, 150);
    EXPECT_GT(outline, 40);
    EXPECT_EQ(list.Mask().Pixel(0, 0), clWhite) << "outside the hull is transparent";
    EXPECT_EQ(list.Image().Pixel(22, 22), clWhite) << "the centre is hull";
    // The bow at (22, 22 - 15) points up: the top rows are empty apart from it.
    EXPECT_EQ(list.Mask().Pixel(22, 5), clWhite);
    EXPECT_EQ(list.Mask().Pixel(22, 8), clBlack);
}

// ---- The panels' texts keep a margin inside the panel at their widest ----

constexpr int kTextMargin = 2;

// Every pixel of frame 0 of `panel` that is not as in the clean frame 1, from column `fromX`
// on, lies at least kTextMargin pixels inside the panel's inner field: neither the blue around
// the panel nor its rim is that close. The rim is the colour a row meets first coming from the
// left.
void ExpectTextInsideThePanel(TFrameList& panel, int fromX, const std::string& what) {
    const Bitmap& strip = panel.Image();
    const TRect text = panel.Frames(0).StripRect();
    const TRect clean = panel.Frames(1).StripRect();
    const int w = text.Width(), h = text.Height();
    const auto cleanAt = [&](int x, int y) { return strip.Pixel(clean.Left + x, clean.Top + y); };
    const TColor blue = cleanAt(0, 0);
    int x0 = 0;
    while (x0 < w && cleanAt(x0, h / 2) == blue)
        ++x0;
    ASSERT_LT(x0, w);
    const TColor rim = cleanAt(x0, h / 2);
    const auto inner = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && cleanAt(x, y) != blue && cleanAt(x, y) != rim;
    };
    int ink = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = fromX; x < w; ++x) {
            if (strip.Pixel(text.Left + x, text.Top + y) == cleanAt(x, y))
                continue;
            ++ink;
            for (int dy = -kTextMargin; dy <= kTextMargin; ++dy)
                for (int dx = -kTextMargin; dx <= kTextMargin; ++dx)
                    ASSERT_TRUE(inner(x + dx, y + dy))
                        << what << ": text at (" << x << ", " << y << ") is within " << kTextMargin
                        << " px of the panel's edge";
        }
    }
    EXPECT_GT(ink, 100) << what;
}

TEST(WindRose, ItsTextsKeepAMarginInsideThePanelForEveryStrength) {
    test::GameScene g;
    TFrameList& rose = g.c.spriteWindroos->FrameList();
    // The forces the set-up draws: every wind and current number from 3 to 7.
    for (int wind = 70; wind <= 109; ++wind) {
        for (int current = 10; current <= 29; ++current) {
            const TWeather weather{wind / 30.0, Degrees(wind * 7), current / 300.0,
                                   Degrees(current * 11)};
            DrawWindRose(rose, weather, g.c.lblFont);
            // Left of the texts stand the rose's circles and arrows.
            ExpectTextInsideThePanel(
                rose, 66,
                "Windforce = " + std::to_string(WindNumber(weather.WindForce)) +
                    ", current = " + std::to_string(CurrentNumber(weather.CurrentForce)));
            if (HasFatalFailure())
                return;
        }
    }
}

// The time of `seconds` whose text, after `label`, is the widest of any time up to an hour.
std::pair<int, std::string> WidestTime(const Font& font, const std::string& label) {
    std::pair<int, std::string> widest{0, ""};
    for (int seconds = 0; seconds < 3600; ++seconds) {
        const std::string text = FormatGameTime(seconds / kSecondsPerDay);
        const int width = LabelSize(font, label + text).Width;
        if (width > widest.first)
            widest = {seconds, text};
    }
    return widest;
}

TEST(TimePanel, ItsTextsKeepAMarginInsideThePanelForTheWidestTimes) {
    test::GameScene g;
    g.game->StartDemo();
    ASSERT_TRUE(g.RunUntil([&] { return g.c.timerBoot->Enabled(); }, Milliseconds(60'000)));
    // Hours are dropped, so no time is wider than the widest within an hour.
    g.game->Course.TargetTimeText = WidestTime(g.c.lblFont, "targettime: ").second;
    const int race = WidestTime(g.c.lblFont, "your time: ").first;
    g.game->StartTime = g.clock.Elapsed() - Milliseconds(race * 1000LL);
    g.RunTick();
    ExpectTextInsideThePanel(g.c.spriteTijden->FrameList(), 0,
                             "targettime: " + g.game->Course.TargetTimeText +
                                 ", your time: " + FormatGameTime(race / kSecondsPerDay));
}

} // namespace
} // namespace dd
