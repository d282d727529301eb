#include "game/Boat.h"

#include <cmath>

namespace dd {
namespace {

// A brought into [0, 2pi), then folded into [0, pi].
double Folded(double A) {
    A = Normalized(A, true);
    return A > kPi ? 2 * kPi - A : A;
}

TRealPoint operator+(TRealPoint a, TRealPoint b) {
    return {a.X + b.X, a.Y + b.Y};
}

TRealPoint Scaled(double k, TRealPoint p) {
    return {k * p.X, k * p.Y};
}

// Holds one coordinate off the edge: the picture's third may not reach the field's half.
double Clamped(double v, int picSize, int fieldSize) {
    if (std::fabs(v) + picSize / 3 >= fieldSize / 2)
        return SignOf(v) * (fieldSize / 2 - 1 - picSize / 3);
    return v;
}

} // namespace

double SailLiftFactor(double A) {
    return 0.625 + 0.375 * std::sin(2 * Folded(A) - kPi / 2);
}

double SailDriveFactor(double A) {
    const double a = Folded(A) - 1;
    return 1 - a * a;
}

double SailForce(const TBoatState& B, const TWeather& W) {
    const double boom = B.Heading + B.Sail + kPi;
    const double theta = Normalized(W.WindDir - boom, true);
    const double w = -W.WindForce * std::sin(theta);
    // A sail filled from the wrong side is back-winded and does not pull.
    if ((B.Sail < 0 && w < 0) || (B.Sail >= 0 && w > 0))
        return 0;
    return std::fabs(W.WindForce * SailLiftFactor(theta) * 0.5);
}

void TrimSail(TBoatState& B, const TWeather& W, bool race) {
    const double rel = Normalized(W.WindDir - B.Heading, false);
    if (std::fabs(rel) > kPi / 2)
        B.Sail = -SignOf(rel) * MinOf(B.SailLimit, kPi - std::fabs(rel));
    else if (SignOf(rel) == SignOf(B.Sail) && std::fabs(rel) <= std::fabs(B.Sail))
        B.Sail = B.SailLimit * SignOf(rel);
    else
        B.Sail = -B.SailLimit * SignOf(rel);
    if (!race)
        return;
    B.Sail = B.SailLimit * SignOf(B.Sail);
    if (std::fabs(rel) < Degrees(40) && B.Speed <= kRestSpeed)
        B.Sail = 0;
}

void MoveBoat(TBoatState& B, const TWeather& W, const TFieldLimits& L, bool race) {
    TRealPoint drift = FromPolar({B.Speed, B.Track});
    if (std::fabs(B.Rudder) > 0) {
        const double step = MinOf(kMaxTurnPerTick, std::fabs(B.Rudder)) * SignOf(B.Rudder);
        B.Rudder -= step;
        B.Heading = Normalized(B.Heading + step, true);
    }
    TrimSail(B, W, race);
    drift = drift + Scaled(0.1, FromPolar({W.CurrentForce, W.CurrentDir}));
    drift = drift + Scaled(0.1, FromPolar({W.WindForce, W.WindDir}));
    B.X = Clamped(B.X, L.BoatPicWidth, L.FieldWidth);
    B.Y = Clamped(B.Y, L.BoatPicHeight, L.FieldHeight);

    const double drive = 0.7 * std::fabs(SailForce(B, W) * SailDriveFactor(B.Sail));
    const TPolar velocity =
        ToPolar(FromPolar({B.Speed, B.Track}) + Scaled(drive, FromPolar({1, B.Heading})));
    B.Speed = velocity.Length * 0.83;
    B.Track = velocity.Angle;

    // Only the drift along the heading moves the boat; drift from ahead moves it backward.
    TPolar move = ToPolar(drift);
    move.Length *= std::cos(Normalized(B.Heading - move.Angle, false));
    const TRealPoint d = FromPolar(move);
    B.X += d.X;
    B.Y += d.Y;
}

} // namespace dd
