#pragma once

// Text of the game's pictures: the time panel, the wind rose and the result.

#include "platform/gfx/Canvas.h"
#include "platform/gfx/TextRenderer.h"

#include <string_view>

namespace dd {

// The game leaves the colour to the canvas; white reads on every panel of ours.
inline constexpr TColor kPanelTextColor = clWhite;

// Writes `text` with its top-left corner at (x, y) in `font`'s name, size and style, letting
// the picture show between the letters.
void DrawPanelText(Canvas& canvas, int x, int y, std::string_view text, const Font& font);

// The size a label in `font` takes for `text`.
TextSize LabelSize(const Font& font, std::string_view text);

} // namespace dd
