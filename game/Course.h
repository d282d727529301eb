#pragma once

// The course: the order of the ten buoys on the star's corners, the time to beat and the clock
// texts.

#include "game/Geometry.h"
#include "platform/time/Random.h"

#include <array>
#include <string>

namespace dd {

// The buoys lie on the star's corners.
inline constexpr int kBuoyCount = 10;

using TStarPoints = std::array<TRealPoint, kBuoyCount>;
using TBuoyOrder = std::array<int, kBuoyCount>;

inline constexpr double kSecondsPerDay = 86400;
inline constexpr double kReachRadius = 30;
// Every pixel of the course between the buoys is worth this many days of the target time.
inline constexpr double kTargetTimePerPixel = 1.0 / 900000;

struct TCourse {
    TBuoyOrder BuoyOrder{};
    double TargetTime = 0; // day fraction
    std::string TargetTimeText;
};

// The buoys' path length from the first to the tenth; the way to the first does not count.
double CourseLength(const TStarPoints& star, const TBuoyOrder& order);

// The star's outline from point 9 when `followStar` or one time in ten, else a random order.
TCourse GenerateCourse(const TStarPoints& star, bool followStar, RandomGenerator& random);

// "n:ss": minutes of the hour, then seconds; hours are dropped and the seconds never round up.
std::string FormatGameTime(double dayFraction);

// Whether the boat's centre is close enough to the buoy to count it.
bool BuoyReached(TRealPoint boat, TRealPoint buoy);

} // namespace dd
