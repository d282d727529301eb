#pragma once

// A Windows icon file holding one PNG image per size, as Windows Vista and later read them.

#include "tools/assetgen/Png.h"

#include <cstdint>
#include <vector>

namespace dd::assetgen {

// The sizes a Windows program's icon carries, for lists, title bars, the desktop and Explorer.
inline constexpr int kWindowsIconSizes[] = {16, 24, 32, 48, 64, 256};

// Images of at most 256 x 256 pixels; throws std::invalid_argument for larger ones.
std::vector<std::uint8_t> WriteIco(const std::vector<RgbaImage>& images);

} // namespace dd::assetgen
