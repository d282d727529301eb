#pragma once

// The state the shell and the game share: the field, the settings the game reads, the held
// steering keys, the closing flag and the game phase.

#include "game/Course.h"
#include "game/Field.h"

#include <cstdint>
#include <string>

namespace dd {

// The unattended demonstration, then a race under the user's control: each sails to the first
// buoy, round the course, and luffs up to show its result. The values are the stored byte's.
enum class TGamePhase : std::uint8_t {
    LeadIn = 0, // after the buoy presentation the boat waits 20 ticks; the helmsman steers
    DemoFirstBuoy = 1,
    DemoCourse = 2,
    DemoFinish = 3,
    RaceFirstBuoy = 4,
    RaceCourse = 5,
    RaceFinish = 6,
};

inline bool IsRace(TGamePhase phase) {
    return phase >= TGamePhase::RaceFirstBuoy;
}
inline bool IsFinish(TGamePhase phase) {
    return phase == TGamePhase::DemoFinish || phase == TGamePhase::RaceFinish;
}
// From the first buoy to the course, from the course to the finish.
inline TGamePhase NextLeg(TGamePhase phase) {
    return static_cast<TGamePhase>(static_cast<std::uint8_t>(phase) + 1);
}

struct TSaverState {
    int FieldWidth = kFieldWidth;
    int FieldHeight = kFieldHeight;
    int HorizonY = 390;
    TStarPoints StarPoints{};
    std::string HomeDir;
    bool FollowStar = false;
    bool SoundOn = false;
    bool KeyLeft = false;
    bool KeyRight = false;
    bool KeyHome = false;
    bool KeyPageUp = false;
    bool Closing = false;
    TGamePhase GamePhase = TGamePhase::LeadIn;

    bool InRace() const { return IsRace(GamePhase); }
};

} // namespace dd
