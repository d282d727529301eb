#include "tests/support/PixelText.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace dd::test {

Bitmap FromText(const std::string& rows, const std::map<char, TColor>& legend, PixelFormat format) {
    std::vector<std::string> lines;
    std::stringstream in(rows);
    for (std::string line; std::getline(in, line, '|');)
        lines.push_back(line);
    Bitmap bitmap(lines.empty() ? 0 : static_cast<int>(lines[0].size()),
                  static_cast<int>(lines.size()), format);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.SetPixel(
                x, y, legend.at(lines[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
    return bitmap;
}

std::string ToText(const Bitmap& bitmap, const std::map<char, TColor>& legend) {
    std::string out;
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (y > 0)
            out += '|';
        for (int x = 0; x < bitmap.Width(); ++x) {
            char shown = '?';
            for (const auto& [c, color] : legend)
                if (color == bitmap.Pixel(x, y))
                    shown = c;
            out += shown;
        }
    }
    return out;
}

int DifferingPixels(const Bitmap& a, const Bitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return std::max(a.Width() * a.Height(), b.Width() * b.Height());
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            differing += a.Pixel(x, y) != b.Pixel(x, y);
    return differing;
}

} // namespace dd::test
