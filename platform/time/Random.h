#pragma once

#include <cstdint>

namespace dd {

// The program's one random generator: a 32-bit linear congruential sequence, so a seed gives
// the same game on every machine.
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint32_t seed = 0) : seed_(seed) {}

    // Seeds from the time of day, as the platform's Randomize does.
    void SeedFromClock(double timeOfDay);
    std::uint32_t CurrentSeed() const { return seed_; }

    // A uniform integer from 0 to k - 1; 0 when k <= 0.
    int Random(int k);
    // A uniform real in [0, 1).
    double RandomReal();

private:
    std::uint32_t Next();

    std::uint32_t seed_;
};

} // namespace dd
