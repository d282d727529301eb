#include "game/Helmsman.h"

#include <algorithm>
#include <cmath>

namespace dd {

const std::array<double, 37> SheetTable = {
    73.5, 72, 70, 66, 64, 63, 60, 59, 56, 52, 51.5, 48.5, 47, 45, 44, 41, 39, 37.5, 33,
    30,   31, 30, 28, 27, 28, 28, 28, 28, 28, 28,   28,   28, 28, 28, 28, 28, 28};

namespace {

// Sliding along an edge slower than this, in pixels per tick, counts as being stuck there.
constexpr double kSlowSlide = 0.25;

// Whether the edge clamp holds the boat on this coordinate.
bool Pinned(double v, int picSize, int fieldSize) {
    return std::fabs(v) + picSize / 3 + 1 >= fieldSize / 2;
}

// How fast the boat slides along the edge it is pinned to, toward the buoy, in pixels per tick;
// the clamp takes away the part into the edge.
double SlideTowardBuoy(const TBoatState& boat, const TWeather& weather, TRealPoint buoy,
                       bool pinnedX, bool pinnedY) {
    const TRealPoint v = FromPolar({boat.Speed, boat.Track});
    const TRealPoint current = FromPolar({weather.CurrentForce, weather.CurrentDir});
    const TRealPoint leeway = FromPolar({weather.WindForce, weather.WindDir});
    const double vx = v.X + 0.1 * (current.X + leeway.X);
    const double vy = v.Y + 0.1 * (current.Y + leeway.Y);
    double slide = 0;
    if (!pinnedX)
        slide += vx * SignOf(buoy.X - boat.X);
    if (!pinnedY)
        slide += vy * SignOf(buoy.Y - boat.Y);
    return slide;
}

// Whether `heading` leads into an edge the boat is pinned to.
bool LeadsIntoEdge(const TBoatState& boat, double heading, bool pinnedX, bool pinnedY) {
    const TRealPoint d = FromPolar({1, heading});
    return (pinnedX && SignOf(d.X) == SignOf(boat.X)) || (pinnedY && SignOf(d.Y) == SignOf(boat.Y));
}

// Close-hauled on the current tack the boat may be held against the edge, sliding along it
// too slowly to ever bring the buoy out of the no-go zone: then it goes about.
bool StuckOnEdge(const TBoatState& boat, const TWeather& weather, TRealPoint buoy,
                 const TFieldLimits& field, double turn, double otherTack) {
    const bool pinnedX = Pinned(boat.X, field.BoatPicWidth, field.FieldWidth);
    const bool pinnedY = Pinned(boat.Y, field.BoatPicHeight, field.FieldHeight);
    return (pinnedX || pinnedY) && LeadsIntoEdge(boat, boat.Heading + turn, pinnedX, pinnedY) &&
           !LeadsIntoEdge(boat, boat.Heading + otherTack, pinnedX, pinnedY) &&
           SlideTowardBuoy(boat, weather, buoy, pinnedX, pinnedY) < kSlowSlide;
}

double WantedTurn(const TBoatState& boat, const TWeather& weather, TRealPoint buoy,
                  const TFieldLimits& field) {
    const TPolar way = ToPolar({buoy.X - boat.X, buoy.Y - boat.Y});
    const double bearing = Normalized(way.Angle, false);
    const double off = Normalized(bearing + kPi - weather.WindDir, false);
    double turn = bearing - boat.Heading;
    if (std::fabs(off) < kCloseHauled) {
        // The buoy is up-wind: hold the bow close-hauled on the tack it is on.
        const double a = Normalized(weather.WindDir + kPi - boat.Heading, false);
        turn = SignOf(a) * (std::fabs(a) - kCloseHauled);
        const double otherTack = SignOf(a) * (std::fabs(a) + kCloseHauled);
        if (StuckOnEdge(boat, weather, buoy, field, turn, otherTack))
            turn = otherTack;
    }
    return Normalized(turn, false);
}

void SetSheet(TBoatState& boat, const TWeather& weather) {
    const double w = std::fabs(Normalized(weather.WindDir - boat.Heading, false));
    const int idx = std::clamp(Round(w / Degrees(5) - 0.5), 0, 36);
    const double target = Degrees(SheetTable[static_cast<std::size_t>(idx)]);
    if (std::fabs(boat.SailLimit - target) < kSheetStep)
        boat.SailLimit = target;
    else
        boat.SailLimit += SignOf(target - boat.SailLimit) * kSheetStep;
}

} // namespace

void AutoPilot(TBoatState& boat, const TWeather& weather, TRealPoint buoy,
               const TFieldLimits& field) {
    const double turn = WantedTurn(boat, weather, buoy, field);
    if (std::fabs(boat.Rudder - turn) < kRudderStep)
        boat.Rudder = turn;
    else
        boat.Rudder += SignOf(turn) * kRudderStep;
    SetSheet(boat, weather);
}

} // namespace dd
