#pragma once

#include "platform/gfx/Color.h"

#include <string>

namespace dd {

// What the program asks for when it draws text; the renderer decides which face that becomes.
struct Font {
    std::string Name = "MS Sans Serif";
    int Height = 11; // em size in pixels; 0 means the default, a negative value its absolute value
    TColor Color = 0;
    bool Bold = false;

    bool operator==(const Font&) const = default;
};

} // namespace dd
