#include "game/Course.h"

#include "shell/Background.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace dd {
namespace {

constexpr double kSecond = 1 / kSecondsPerDay;

TEST(GenerateCourse, FollowingTheStarSailsItsOutlineFromPointNine) {
    RandomGenerator random(5);
    const TCourse c = GenerateCourse(ComputeStarPoints(), true, random);
    EXPECT_EQ(c.BuoyOrder, (TBuoyOrder{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_NEAR(CourseLength(ComputeStarPoints(), c.BuoyOrder), 1580.4, 0.05);
    EXPECT_EQ(c.TargetTimeText, "2:31");
    EXPECT_EQ(random.CurrentSeed(), 5u) << "following the star draws nothing";
}

TEST(GenerateCourse, RandomOrdersArePermutationsAndOneInTenFollowsTheStar) {
    RandomGenerator random(11);
    int followed = 0;
    std::set<TBuoyOrder> seen;
    for (int i = 0; i < 2000; ++i) {
        const TCourse c = GenerateCourse(ComputeStarPoints(), false, random);
        TBuoyOrder sorted = c.BuoyOrder;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, (TBuoyOrder{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        followed += c.BuoyOrder == TBuoyOrder{9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
        seen.insert(c.BuoyOrder);
        EXPECT_NEAR(c.TargetTime * kSecondsPerDay,
                    CourseLength(ComputeStarPoints(), c.BuoyOrder) * 0.096, 1e-6);
    }
    EXPECT_NEAR(followed, 200, 45);
    EXPECT_GT(seen.size(), 1700u);
}

TEST(FormatGameTime, ShowsMinutesOfTheHourAndWholeSeconds) {
    EXPECT_EQ(FormatGameTime(65.4 * kSecond), "1:05");
    EXPECT_EQ(FormatGameTime(3725 * kSecond), "2:05");
    EXPECT_EQ(FormatGameTime(0), "0:00");
    EXPECT_EQ(FormatGameTime(59.999 * kSecond), "0:59");
    EXPECT_EQ(FormatGameTime(600 * kSecond), "10:00");
    EXPECT_EQ(FormatGameTime(151.71583 * kSecond), "2:31");
}

TEST(BuoyReached, CountsOnlyInsideThirtyPixels) {
    const TRealPoint buoy{-54, -54};
    EXPECT_TRUE(BuoyReached({-54 + 29.9, -54}, buoy));
    EXPECT_FALSE(BuoyReached({-54 + 30.0, -54}, buoy));
    EXPECT_TRUE(BuoyReached({-54 - 21, -54 + 21}, buoy));
    EXPECT_FALSE(BuoyReached({-54 + 18, -54 - 24}, buoy)) << "exactly 30 away";
}

} // namespace
} // namespace dd
