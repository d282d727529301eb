#pragma once

namespace dd {

// The play field in the pixels the game works in: the size of the background pictures and of
// the sprite box. A host shows it at a whole scale, or the whole of a narrower screen.
inline constexpr int kFieldWidth = 800;
inline constexpr int kFieldHeight = 600;

} // namespace dd
