#pragma once

// The sprite box: a play field that composes its sprites over a background picture, with
// batched dirty-rectangle redraws through the one scratch bitmap.

#include "platform/core/Persistent.h"
#include "platform/gfx/Form.h"
#include "sprites/Sprsqnce.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace dd {

// Perspective projection of sprite positions and sizes through a vanishing point by depth.
class TThreeD : public TPersistent {
public:
    std::string ClassName() const override { return "TThreeD"; }
    // Products wrap at 32 bits; a depth of -ZDis raises EDivByZero.
    void Project(int x, int y, int z, int& px, int& py, double& scale) const;

    bool Enabled = false;
    int XDis = 0;
    int YDis = 0;
    int ZDis = 0;
    int DiaF = 0;
};

class TSpriteBox : public TImage {
public:
    // Rectangles queued with this depth were projected already.
    static constexpr int kProjected = -9999;

    explicit TSpriteBox(TComponent* owner);
    ~TSpriteBox() override;

    void AddSprite(TVSprite& sprite);
    void RemoveSprite(TVSprite& sprite);
    void ResortSprite(TVSprite& sprite);
    TVSprite& Sprites(int index) const { return *sprites_.at(static_cast<std::size_t>(index)); }
    int SpriteCount() const { return static_cast<int>(sprites_.size()); }
    bool Holds(const TVSprite& sprite) const {
        return std::find(sprites_.begin(), sprites_.end(), &sprite) != sprites_.end();
    }

    virtual void RedrawRect(TRect r, int z);
    void Paint() override;
    void BeginUpdate();
    void EndUpdate();
    // The queued rectangles of the batch under way, or null outside a batch.
    const std::vector<TRect>* DirtyRects() const { return dirtyRects_ ? &*dirtyRects_ : nullptr; }

    Canvas* FormCanvas() const;

    TThreeD& ThreeD() { return threeD_; }

private:
    void Settle(std::size_t index);
    void AddDirtyRect(const TRect& r);
    void MergeDirtyRect(std::size_t index);
    void Compose(const TRect& r, Bitmap& temp);

    TTempBitmapUse tempBitmapUse_;
    std::vector<TVSprite*> sprites_;
    std::optional<std::vector<TRect>> dirtyRects_;
    bool updating_ = false;
    TThreeD threeD_;
};

} // namespace dd
