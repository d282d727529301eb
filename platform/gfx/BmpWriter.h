#pragma once

#include "platform/gfx/Bitmap.h"

#include <cstdint>
#include <vector>

namespace dd {

// A complete BMP file of the bitmap: 8 bits a pixel with a 256-entry colour table when it has
// at most 256 colours, 24 bits otherwise; bottom-up rows, BITMAPINFOHEADER. An empty bitmap
// gives no bytes.
std::vector<std::uint8_t> WriteBmp(const Bitmap& bitmap);

} // namespace dd
