#pragma once

#include <Qt>

namespace dd {

// The virtual-key code of a key event, from Qt's key and modifiers (never from native codes, so
// Qt's own test events map too). Keys without a code of their own give vk::Other.
int VirtualKeyFor(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace dd
