#pragma once

#include "platform/gfx/Color.h"

#include <array>
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

// The face of every text, game and dialogs alike, whatever family is asked for. The layouts
// were made for a narrow 11-pixel system font: of the free sans faces Debian packages, only
// Liberation Sans Narrow (fonts-liberation) fits them at that size; DejaVu Sans and even its
// condensed cut are some 20 pixels too wide for the longest help line. The others are
// fallbacks, narrowest first.
inline constexpr const char* kTextFace = "Liberation Sans Narrow";
inline constexpr std::array<const char*, 3> kTextFaces = {kTextFace, "DejaVu Sans Condensed",
                                                          "DejaVu Sans"};

} // namespace dd
