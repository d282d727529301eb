#pragma once

#include "platform/time/VirtualScheduler.h"
#include "sprites/Spriteob.h"
#include "tests/support/PixelText.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace dd::test {

// Colours of the tiny pictures of sprite tests, by letter; 'b' is the transparent pure blue.
const std::map<char, TColor>& SceneColors();

// A form with a sprite box and sprites made from tiny text pictures, in virtual time.
class SpriteScene {
public:
    // The form is `formW` x `formH`; the box sits at (boxLeft, boxTop) with a background of
    // `background` (text rows, see PixelText.h).
    SpriteScene(int formW, int formH, int boxLeft, int boxTop, const std::string& background);

    // A sprite in the box (or owned by the form without a box) whose frames are the given
    // text pictures, named "f0", "f1", ..., masked for pure blue.
    TSprite& AddSprite(const std::vector<std::string>& frames, bool inBox = true);

    // The form's pixels inside `area`, as text.
    std::string Screen(const TRect& area);
    std::string Box() { return Screen(box.BoundsRect()); }

    VirtualScheduler clock;
    TForm form;
    TSpriteBox box{&form};
    std::vector<std::unique_ptr<TSprite>> sprites;
};

} // namespace dd::test
