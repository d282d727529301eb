#pragma once

#include "tools/assetgen/Png.h"

namespace dd::assetgen {

// The sizes desktops look for in the hicolor icon theme.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The program's icon, `size` pixels square: a sail boat on a sea-blue rounded square, with
// smooth edges and transparent corners.
RgbaImage DrawIcon(int size);

} // namespace dd::assetgen
