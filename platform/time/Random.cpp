#include "platform/time/Random.h"

#include <cmath>

namespace dd {

void RandomGenerator::SeedFromClock(double timeOfDay) {
    seed_ = static_cast<std::uint32_t>(std::fmod(std::fabs(timeOfDay), 1.0) * 86'400'000.0);
}

std::uint32_t RandomGenerator::Next() {
    seed_ = seed_ * 134775813u + 1u;
    return seed_;
}

int RandomGenerator::Random(int k) {
    const std::uint32_t r = Next();
    if (k <= 0)
        return 0;
    return static_cast<int>((static_cast<std::uint64_t>(r) * static_cast<std::uint32_t>(k)) >> 32);
}

double RandomGenerator::RandomReal() {
    return Next() / 4294967296.0;
}

} // namespace dd
