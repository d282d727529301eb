#include "platform/core/Real48.h"

#include <cmath>

namespace dd {
namespace {

constexpr int kBias = 129;
constexpr int kFractionBits = 39;
constexpr std::uint64_t kFractionOne = std::uint64_t(1) << kFractionBits;

} // namespace

double Real48ToDouble(const Real48Bytes& b) {
    if (b[0] == 0)
        return 0.0;
    std::uint64_t fraction = 0;
    for (int i = 5; i >= 1; --i)
        fraction = fraction << 8 | b[i];
    const bool negative = (fraction >> kFractionBits) & 1;
    fraction &= kFractionOne - 1;
    const double magnitude =
        std::ldexp(1.0 + std::ldexp(static_cast<double>(fraction), -kFractionBits), b[0] - kBias);
    return negative ? -magnitude : magnitude;
}

Real48Bytes DoubleToReal48(double value) {
    Real48Bytes out{};
    if (value == 0 || std::isnan(value))
        return out;
    const bool negative = value < 0;
    int exponent = 0;
    const double mantissa = std::frexp(std::fabs(value), &exponent); // [0.5, 1)
    std::uint64_t fraction =
        static_cast<std::uint64_t>(std::nearbyint(std::ldexp(mantissa * 2 - 1, kFractionBits)));
    int biased = exponent - 1 + kBias;
    if (fraction == kFractionOne) {
        fraction = 0;
        ++biased;
    }
    if (biased < 1)
        return out;
    if (biased > 255 || std::isinf(value)) {
        biased = 255;
        fraction = kFractionOne - 1;
    }
    if (negative)
        fraction |= kFractionOne;
    out[0] = static_cast<std::uint8_t>(biased);
    for (int i = 1; i <= 5; ++i) {
        out[i] = static_cast<std::uint8_t>(fraction & 0xFF);
        fraction >>= 8;
    }
    return out;
}

} // namespace dd
