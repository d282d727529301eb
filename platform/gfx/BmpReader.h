#pragma once

#include "platform/gfx/Bitmap.h"

#include <cstdint>
#include <span>

namespace dd {

// Reads a Windows BMP file: a 14-byte file header of type "BM", then a 40-byte
// BITMAPINFOHEADER or a 12-byte BITMAPCOREHEADER, the colour table and the pixel rows, which
// are taken to follow the colour table directly. 1, 4, 8, 24 and 32 bits a pixel, uncompressed,
// bottom-up or top-down. Anything else throws EInvalidGraphic.
Bitmap ReadBmp(std::span<const std::uint8_t> file);

} // namespace dd
