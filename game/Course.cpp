#include "game/Course.h"

#include <algorithm>
#include <cmath>

namespace dd {
namespace {

double Distance(TRealPoint a, TRealPoint b) {
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

} // namespace

double CourseLength(const TStarPoints& star, const TBuoyOrder& order) {
    double length = 0;
    for (std::size_t k = 0; k + 1 < order.size(); ++k)
        length += Distance(star.at(static_cast<std::size_t>(order[k])),
                           star.at(static_cast<std::size_t>(order[k + 1])));
    return length;
}

TCourse GenerateCourse(const TStarPoints& star, bool followStar, RandomGenerator& random) {
    TCourse course;
    if (followStar || random.Random(10) == 0) {
        for (int k = 0; k < kBuoyCount; ++k)
            course.BuoyOrder[static_cast<std::size_t>(k)] = kBuoyCount - 1 - k;
    } else {
        for (std::size_t k = 0; k < course.BuoyOrder.size(); ++k) {
            const auto taken = course.BuoyOrder.begin() + static_cast<std::ptrdiff_t>(k);
            int next;
            do
                next = random.Random(kBuoyCount);
            while (std::find(course.BuoyOrder.begin(), taken, next) != taken);
            course.BuoyOrder[k] = next;
        }
    }
    course.TargetTime = CourseLength(star, course.BuoyOrder) * kTargetTimePerPixel;
    course.TargetTimeText = FormatGameTime(course.TargetTime);
    return course;
}

std::string FormatGameTime(double dayFraction) {
    const double ms = std::nearbyint(std::fabs(dayFraction) * kSecondsPerDay * 1000);
    const auto seconds = static_cast<long long>(std::fmod(ms, kSecondsPerDay * 1000) / 1000);
    const long long minute = seconds / 60 % 60;
    const long long second = seconds % 60;
    return std::to_string(minute) + ":" + (second < 10 ? "0" : "") + std::to_string(second);
}

bool BuoyReached(TRealPoint boat, TRealPoint buoy) {
    return Distance(boat, buoy) < kReachRadius;
}

} // namespace dd
