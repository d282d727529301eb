#pragma once

// The held keys of a scripted race: lines "<tick> <keys>", keys "-" or letters of L (Left),
// R (Right), H (Home) and P (Page Up), held from that tick until the next line. Blank lines
// and lines starting with # are skipped.

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace dd::simulate {

struct HeldKeys {
    bool left = false, right = false, home = false, pageUp = false;
    bool operator==(const HeldKeys&) const = default;
};

class RaceScript {
public:
    // Throws std::runtime_error naming the line for a malformed or out-of-order line.
    static RaceScript Parse(std::istream& in);

    // The keys held during game tick `tick` (the first tick is 1).
    HeldKeys KeysAt(long tick) const;

private:
    struct Line {
        long tick;
        HeldKeys keys;
    };
    std::vector<Line> lines_;
};

} // namespace dd::simulate
