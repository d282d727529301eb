#pragma once

// The state the shell and the game share: the field, the settings the game reads, the held
// steering keys, the closing flag and the game phase.

#include "game/Course.h"

#include <cstdint>
#include <string>

namespace dd {

// Below this phase the unattended demonstration runs; from it on, a race under the user's
// control.
inline constexpr std::uint8_t kFirstRacePhase = 4;

struct TSaverState {
    int FieldWidth = 800;
    int FieldHeight = 600;
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
    std::uint8_t GamePhase = 0;

    bool InRace() const { return GamePhase >= kFirstRacePhase; }
};

} // namespace dd
