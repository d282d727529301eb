#include "game/Boat.h"

#include <cmath>
#include <gtest/gtest.h>

namespace dd {
namespace {

TEST(SailFactors, PeakWhereTheWindMeetsTheBoomSquareOrAtOneRadian) {
    EXPECT_DOUBLE_EQ(SailLiftFactor(0), 0.25);
    EXPECT_DOUBLE_EQ(SailLiftFactor(kPi), 0.25);
    EXPECT_DOUBLE_EQ(SailLiftFactor(kPi / 2), 1.0);
    EXPECT_NEAR(SailLiftFactor(-kPi / 2), 1.0, 1e-12);
    for (double a : {0.3, 1.1, 2.5, 4.0})
        EXPECT_NEAR(SailLiftFactor(a), 1 - 0.75 * std::cos(a) * std::cos(a), 1e-12) << a;
    EXPECT_DOUBLE_EQ(SailDriveFactor(0), 0.0);
    EXPECT_DOUBLE_EQ(SailDriveFactor(1), 1.0);
    EXPECT_NEAR(SailDriveFactor(kPi / 2), 0.674, 0.001);
    EXPECT_NEAR(SailDriveFactor(-1), 1.0, 1e-12) << "folded: the boom's side does not matter";
}

TEST(SailForce, IsZeroWhenTheSailIsBackWinded) {
    const TWeather w{3, 0, 0, 0};
    TBoatState b;
    b.Heading = kPi / 2; // wind from the right, across the boat
    b.Sail = Degrees(40);
    const double right = SailForce(b, w);
    b.Sail = -Degrees(40);
    const double wrong = SailForce(b, w);
    EXPECT_GT(std::max(right, wrong), 0.0);
    EXPECT_EQ(std::min(right, wrong), 0.0);
}

TEST(TrimSail, HeadToWindLeavesTheBoomOnTheCentreLineWithNoDrive) {
    const TWeather w{3, 0, 0, 0};
    TBoatState b;
    b.Heading = kPi;
    b.SailLimit = Degrees(60);
    TrimSail(b, w, false);
    EXPECT_NEAR(b.Sail, 0, 1e-12);
    const TBoatState before = b;
    MoveBoat(b, w, {}, false);
    EXPECT_NEAR(b.Speed, 0, 1e-12) << "no drive, and the start speed was 0";
    EXPECT_LT(b.X, before.X) << "only leeway pushes the boat back";
}

TEST(TrimSail, ARaceBoatAtRestOnADeadRunGetsNoSail) {
    const TWeather w{3, 0, 0, 0};
    TBoatState b;
    b.Heading = Degrees(30); // wind from 30 degrees astern of the bow line
    b.SailLimit = Degrees(50);
    b.Speed = 0.05;
    TrimSail(b, w, true);
    EXPECT_EQ(b.Sail, 0.0);
    TrimSail(b, w, false);
    EXPECT_DOUBLE_EQ(std::fabs(b.Sail), Degrees(50)) << "the demonstration keeps its sail";
    b.Speed = 0.06;
    TrimSail(b, w, true);
    EXPECT_DOUBLE_EQ(std::fabs(b.Sail), Degrees(50));
}

TEST(TrimSail, InARaceTheBoomSitsAtTheSheetsLength) {
    const TWeather w{3, 0, 0, 0};
    TBoatState b;
    b.SailLimit = Degrees(70);
    for (double heading : {100.0, 150.0, 200.0, 260.0, 300.0}) {
        b.Heading = Degrees(heading);
        TrimSail(b, w, true);
        EXPECT_DOUBLE_EQ(std::fabs(b.Sail), Degrees(70)) << heading;
    }
    // Against the wind the demonstration's boom streams down-wind, inside the sheet.
    b.Heading = Degrees(150);
    TrimSail(b, w, false);
    EXPECT_NEAR(std::fabs(b.Sail), Degrees(30), 1e-12);
}

TEST(MoveBoat, TurnsAtMostFifteenEleventhsDegreesPerTick) {
    const TWeather calm{};
    TBoatState b;
    b.Rudder = 0.5;
    const double steps[] = {0.238, 0.238, 0.024};
    double heading = 0;
    for (double step : steps) {
        MoveBoat(b, calm, {}, false);
        EXPECT_NEAR(b.Heading - heading, step, 0.0005);
        heading = b.Heading;
    }
    EXPECT_NEAR(b.Rudder, 0, 1e-12);
    MoveBoat(b, calm, {}, false);
    EXPECT_DOUBLE_EQ(b.Heading, heading);
}

TEST(MoveBoat, HoldsTheBoatInsideTheFieldByAtMostOneStep) {
    const TWeather calm{};
    TBoatState b;
    b.X = 399;
    b.Y = -350;
    MoveBoat(b, calm, {800, 600, 44, 44}, false);
    EXPECT_EQ(b.X, 385);
    EXPECT_EQ(b.Y, -285);
    b.X = 384.5;
    MoveBoat(b, calm, {800, 600, 44, 44}, false);
    EXPECT_EQ(b.X, 384.5) << "short of the edge nothing is clamped";
}

TEST(MoveBoat, SpeedSettlesNearFiveTimesTheDriveAndDecaysWithoutIt) {
    const TWeather w{3, Degrees(270), 0, 0}; // wind blowing down the screen
    TBoatState b;
    b.Heading = 0; // a beam reach to the right
    b.SailLimit = Degrees(60);
    for (int i = 0; i < 200; ++i)
        MoveBoat(b, w, {100000, 100000}, false);
    EXPECT_GT(b.Speed, 1.0);
    EXPECT_GT(b.X, 100.0);
    const double settled = b.Speed;
    MoveBoat(b, w, {100000, 100000}, false);
    EXPECT_NEAR(b.Speed, settled, 1e-9);
    b.Heading = Degrees(90); // head to wind: no drive
    b.Rudder = 0;
    MoveBoat(b, w, {100000, 100000}, false);
    EXPECT_NEAR(b.Speed, settled * 0.83, 1e-9);
}

} // namespace
} // namespace dd
