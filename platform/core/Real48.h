#pragma once

#include <array>
#include <cstdint>

namespace dd {

// The 6-byte real: byte 0 the exponent with bias 129 (0 means the value 0), bytes 1 to 5 a
// 39-bit fraction, lowest byte first, and the sign in the top bit of byte 5. Every such value
// is exact in a double.
using Real48Bytes = std::array<std::uint8_t, 6>;

double Real48ToDouble(const Real48Bytes& bytes);
// The nearest 6-byte real; values beyond its range become the largest one of their sign, values
// too small for it and non-numbers become 0.
Real48Bytes DoubleToReal48(double value);

} // namespace dd
