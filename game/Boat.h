#pragma once

// The boat, wind and current model: one physics step per game tick, in field pixels and
// radians.

#include "game/Field.h"
#include "game/Geometry.h"

namespace dd {

struct TBoatState {
    double X = 0;
    double Y = 0;
    double Speed = 0;     // pixels per tick
    double Track = 0;     // direction of the velocity
    double Heading = 0;   // where the bow points, in [0, 2pi)
    double Sail = 0;      // boom angle from the centre line; negative to port
    double SailLimit = 0; // how far the sheet lets the boom out, 0 to pi/2
    double Rudder = 0;    // turn still to be made; positive counter-clockwise
};

struct TWeather {
    double WindForce = 0;
    double WindDir = 0; // where the wind blows toward
    double CurrentForce = 0;
    double CurrentDir = 0; // where the current flows toward
};

// Where MoveBoat holds the boat: the field and the size of the small boat picture.
struct TFieldLimits {
    int FieldWidth = kFieldWidth;
    int FieldHeight = kFieldHeight;
    int BoatPicWidth = 44;
    int BoatPicHeight = 44;
};

inline constexpr double kMaxTurnPerTick = Degrees(150.0 / 11.0);
// Below this speed a race boat on a dead run gets no sail.
inline constexpr double kRestSpeed = 0.05;

double SailLiftFactor(double A);
double SailDriveFactor(double A);
double SailForce(const TBoatState& B, const TWeather& W);
// `race`: a race under the user's control, where the boom always sits at the sheet's length.
void TrimSail(TBoatState& B, const TWeather& W, bool race);
// Turns, trims, drifts and drives the boat by one tick; the caller checks the buoy afterwards.
void MoveBoat(TBoatState& B, const TWeather& W, const TFieldLimits& L, bool race);

} // namespace dd
