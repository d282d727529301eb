#include "platform/gfx/Placement.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace dd {

int WholeScaleFactor(int contentWidth, int contentHeight, int areaWidth, int areaHeight) {
    assert(contentWidth > 0 && contentHeight > 0);
    return std::max(1, std::min(areaWidth / contentWidth, areaHeight / contentHeight));
}

TRect FitCentred(int contentWidth, int contentHeight, int areaWidth, int areaHeight) {
    assert(contentWidth > 0 && contentHeight > 0);
    int width = contentWidth, height = contentHeight;
    if (areaWidth >= contentWidth && areaHeight >= contentHeight) {
        const int s = WholeScaleFactor(contentWidth, contentHeight, areaWidth, areaHeight);
        width *= s;
        height *= s;
    } else {
        const double f = std::min(static_cast<double>(std::max(areaWidth, 0)) / contentWidth,
                                  static_cast<double>(std::max(areaHeight, 0)) / contentHeight);
        width = static_cast<int>(std::lround(contentWidth * f));
        height = static_cast<int>(std::lround(contentHeight * f));
    }
    return Bounds((areaWidth - width) / 2, (areaHeight - height) / 2, width, height);
}

} // namespace dd
