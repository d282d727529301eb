#pragma once

#include "platform/gfx/Bitmap.h"

#include <map>
#include <string>

namespace dd::test {

// Tiny bitmaps written as text, one character a pixel, rows separated by '|':
// "ab|cd" is two rows of two. `legend` maps characters to colours.
Bitmap FromText(const std::string& rows, const std::map<char, TColor>& legend,
                PixelFormat format = PixelFormat::Rgb32);
// The inverse; a colour missing from the legend shows as '?'.
std::string ToText(const Bitmap& bitmap, const std::map<char, TColor>& legend);
// How many pixels differ between two bitmaps of one size; a size mismatch counts every pixel.
int DifferingPixels(const Bitmap& a, const Bitmap& b);

} // namespace dd::test
