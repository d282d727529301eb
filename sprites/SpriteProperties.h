#pragma once

// Stored properties of sprites and sprite boxes, set through the same setters the program
// uses, in the order the description lists them.

#include "sprites/FormReader.h"
#include "sprites/Spriteob.h"

#include <functional>
#include <string>

namespace dd {

using SpriteBoxByName = std::function<TSpriteBox*(const std::string& name)>;

void ApplySpriteProperty(TSprite& sprite, const FormProperty& property,
                         const SpriteBoxByName& boxNamed);
void ApplySpriteBoxProperty(TSpriteBox& box, const FormProperty& property);

// clBlack, clMaroon, clBlue and the other named colours, or a number.
TColor ColorValue(const FormProperty& property);

} // namespace dd
