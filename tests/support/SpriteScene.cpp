#include "tests/support/SpriteScene.h"

#include "tests/support/StreamBytes.h"

namespace dd::test {
namespace {

// Appended, not "f" + std::to_string(i): GCC 12 at -O3 warns falsely about the latter.
std::string FrameName(char letter, std::size_t number) {
    std::string name(1, letter);
    name += std::to_string(number);
    return name;
}

} // namespace

const std::map<char, TColor>& SceneColors() {
    static const std::map<char, TColor> colors = {
        {'.', clBlack},          {'W', clWhite},           {'b', clBlue},
        {'r', RGB(255, 0, 0)},   {'g', RGB(0, 160, 0)},    {'y', RGB(255, 255, 0)},
        {'c', RGB(0, 200, 200)}, {'m', RGB(200, 0, 200)},  {'o', RGB(255, 128, 0)},
        {'-', RGB(90, 90, 90)},  {'+', RGB(150, 150, 150)}};
    return colors;
}

SpriteScene::SpriteScene(int formW, int formH, int boxLeft, int boxTop,
                         const std::string& background) {
    form.SetClientSize(formW, formH);
    box.Picture() = FromText(background, SceneColors());
    box.SetBounds(boxLeft, boxTop, box.Picture().Width(), box.Picture().Height());
    box.SetParent(&form);
    form.Paint();
}

TSprite& SpriteScene::AddSprite(const std::vector<std::string>& frames, bool inBox) {
    std::vector<FrameSpec> specs;
    std::vector<Bitmap> pictures;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        pictures.push_back(FromText(frames[i], SceneColors()));
        specs.push_back({FrameName('f', i), pictures.back().Width(), pictures.back().Height()});
    }
    Bitmap strip = StripFor(specs, [&](int i, int x, int y) {
        return pictures[static_cast<std::size_t>(i)].Pixel(x, y);
    });
    auto sprite = std::make_unique<TSprite>(&form, clock);
    sprite->SetTransparent(clBlue);
    TMemoryStream stream(FrameListStream(specs, strip));
    sprite->FrameList().ReadData(stream);
    if (inBox)
        sprite->SetSpriteBox(&box);
    sprites.push_back(std::move(sprite));
    return *sprites.back();
}

std::string SpriteScene::Screen(const TRect& area) {
    Bitmap crop(area.Width(), area.Height());
    crop.GetCanvas().CopyRect(crop.BoundsRect(), form.Surface(), area);
    return ToText(crop, SceneColors());
}

} // namespace dd::test
