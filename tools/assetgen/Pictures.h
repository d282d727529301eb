#pragma once

#include "platform/gfx/Bitmap.h"

#include <string>
#include <vector>

namespace dd::assetgen {

struct FrameArt {
    std::string name;
    int width;
    int height;
};

struct SpriteArt {
    std::string sprite;           // the component's name
    TColor transparent;           // the stored transparent colour
    std::vector<FrameArt> frames; // in stored order
    Bitmap strip;                 // the frames side by side from the left, on pure blue
};

// The nine sprites of the main window, in stored order.
std::vector<SpriteArt> DrawSprites();
Bitmap DrawAir();         // "lucht2.bmp"
Bitmap DrawWater();       // "water.bmp"
Bitmap DrawSea();         // "zee.bmp", horizon at row 390
Bitmap DrawColourStrip(); // "CLRBTMP.BMP": four 32-pixel gradient columns

} // namespace dd::assetgen
