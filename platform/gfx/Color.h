#pragma once

#include <cstdint>

namespace dd {

// 0x00BBGGRR: red in the lowest byte, as the platform lays colours out.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor kColorMask = 0xFFFFFF;

constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | TColor(g) << 8 | TColor(b) << 16;
}
constexpr std::uint8_t RedOf(TColor c) {
    return c & 0xFF;
}
constexpr std::uint8_t GreenOf(TColor c) {
    return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(TColor c) {
    return (c >> 16) & 0xFF;
}

} // namespace dd
