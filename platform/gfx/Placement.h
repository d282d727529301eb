#pragma once

#include "platform/gfx/Rect.h"

namespace dd {

// The largest whole factor s with s * content inside area on both axes; at least 1.
int WholeScaleFactor(int contentWidth, int contentHeight, int areaWidth, int areaHeight);

// Where content of the given size is shown centred in an area: at the largest whole factor when
// it fits at least once, shrunk to fit (keeping its proportions) when the area is smaller.
TRect FitCentred(int contentWidth, int contentHeight, int areaWidth, int areaHeight);

} // namespace dd
