#pragma once

#include <array>

namespace dd {

// The game's help text, line by line, trailing blanks included.
inline constexpr std::array<const char*, 19> kHelpLines = {
    "The purpose of the game is to round all the buoys. After having ",
    "round one, the next buoy appears.",
    "",
    "On the screen you will notice some important items:",
    "* Weather-vane: shows the direction of the wind and of the ",
    "  current;",
    "* Dravelin star with sailing boat: shows your boat as though ",
    "  you were directly behind it;",
    "* Small white boat: shows the position of your boat at sea.",
    "",
    "The speed of the sailing boat depends on the wind, the current, ",
    "the position of the sail and the direction of the boat.",
    "",
    "You can use the following keys:",
    "* Arrow keys left/right: changes the direction of the boat;",
    "* Home/page up: changes the position of the sail;",
    "* G: starts the game when in screensaver mode;",
    "* S: switches sound on and off;",
    "* H: shows/hides this Help screen."};

} // namespace dd
