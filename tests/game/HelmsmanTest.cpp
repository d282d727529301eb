#include "game/Helmsman.h"

#include <cmath>
#include <gtest/gtest.h>

namespace dd {
namespace {

const TFieldLimits kField{800, 600, 44, 44};

TEST(AutoPilot, SteersStraightForADownWindBuoyAndEasesTheSheetForTheRun) {
    const TWeather w{3, 0, 0, 0}; // blowing to the right
    TBoatState b;
    b.Heading = Degrees(20);
    b.SailLimit = Degrees(30);
    AutoPilot(b, w, {200, 0}, kField);
    EXPECT_NEAR(b.Rudder, -Degrees(15), 1e-12) << "a 20 degree turn begins with one step";
    b.Rudder = 0;
    b.Heading = 0;
    for (int i = 0; i < 3; ++i)
        AutoPilot(b, w, {200, 0}, kField);
    EXPECT_EQ(b.Rudder, 0.0);
    EXPECT_NEAR(b.SailLimit, Degrees(73.5), 1e-12);
}

TEST(AutoPilot, BeatsFiftyDegreesOffTheWindForAnUpWindBuoy) {
    const TWeather w{3, kPi, 0, 0}; // blowing to the left: the wind comes from the right
    TBoatState b;
    b.Heading = Degrees(80); // bow 80 degrees off the wind's origin
    AutoPilot(b, w, {300, 0}, kField);
    EXPECT_NEAR(b.Rudder, -Degrees(15), 1e-12);
    AutoPilot(b, w, {300, 0}, kField);
    EXPECT_NEAR(b.Rudder, -Degrees(30), 1e-12) << "settles on the 30 degree luff";
    b = {};
    b.Heading = Degrees(280);
    AutoPilot(b, w, {300, 0}, kField);
    AutoPilot(b, w, {300, 0}, kField);
    EXPECT_NEAR(b.Rudder, Degrees(30), 1e-12) << "the other tack luffs the other way";
}

TEST(AutoPilot, ATurnBuildsUpInTheRudderAndEndsExactlyOnTheBearing) {
    const TWeather w{3, 0, 0, 0};
    TBoatState b; // heading 0; the buoy lies straight up, 90 degrees to the left
    const TRealPoint buoy{0, -300};
    AutoPilot(b, w, buoy, kField);
    EXPECT_NEAR(b.Rudder, Degrees(15), 1e-12);
    for (int i = 0; i < 12; ++i) {
        MoveBoat(b, {}, {100000, 100000}, false); // calm, so the bearing stays put
        AutoPilot(b, w, buoy, kField);
    }
    EXPECT_NEAR(b.Heading, Degrees(90), 1e-9);
    EXPECT_NEAR(b.Rudder, 0, 1e-9);
}

TEST(AutoPilot, TakesTheSheetFromTheTableByTheAngleToTheWind) {
    const TWeather w{3, 0, 0, 0};
    struct Case {
        double heading, sheet;
    } cases[] = {{115, 28}, {112.6, 28}, {117.4, 27}, {0, 73.5}, {180, 28}, {97, 30}};
    for (const Case& c : cases) {
        TBoatState b;
        b.Heading = Degrees(c.heading);
        b.SailLimit = Degrees(c.sheet + 5);
        AutoPilot(b, w, {-10, 0}, kField);
        EXPECT_NEAR(b.SailLimit, Degrees(c.sheet), 1e-12) << c.heading;
    }
    TBoatState b; // hauled in at most twenty degrees a tick
    b.Heading = Degrees(115);
    b.SailLimit = Degrees(80);
    for (double expected : {60.0, 40.0, 28.0, 28.0}) {
        AutoPilot(b, w, {-10, 0}, kField);
        EXPECT_NEAR(b.SailLimit, Degrees(expected), 1e-12);
    }
}

// Beating with the wind from the upper right, pinned to the bottom edge on the tack that leads
// into it: the buoy stays in the no-go zone for as long as the boat crawls along the edge.
TEST(AutoPilot, GoesAboutWhenHeldAgainstTheEdgeWithoutHeadway) {
    const TWeather w{2.6, Degrees(207 - 180), 0, 0}; // from 207 degrees
    TBoatState b;
    b.X = 215;
    b.Y = 286;
    b.Heading = Degrees(257); // 50 degrees off the wind, down into the edge
    b.Speed = 1.17;
    b.Track = Degrees(257);
    const TRealPoint buoy{-142, 216};
    AutoPilot(b, w, buoy, kField);
    EXPECT_NEAR(b.Rudder, -Degrees(15), 1e-12) << "tacks through the wind toward 157 degrees";

    // The same boat sliding along the edge toward the buoy keeps its tack.
    TBoatState sliding = b;
    sliding.Rudder = 0;
    sliding.Heading = Degrees(257);
    sliding.Track = Degrees(190);
    sliding.Speed = 1.5;
    AutoPilot(sliding, w, buoy, kField);
    EXPECT_NEAR(sliding.Rudder, 0.0, 1e-12);

    // Away from the edge the specified rule holds the tack.
    TBoatState free = b;
    free.Rudder = 0;
    free.Y = 100;
    AutoPilot(free, w, buoy, kField);
    EXPECT_NEAR(free.Rudder, 0.0, 1e-12);
}

} // namespace
} // namespace dd
