#include "sprites/Spritbox.h"

#include "platform/gfx/CanvasStateSaver.h"
#include "sprites/Sprframe.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace dd {
namespace {

int Wrap32(std::int64_t v) {
    return static_cast<int>(static_cast<std::uint32_t>(v));
}

int ScaledSize(int size, double scale) {
    const double v = std::nearbyint(size * scale);
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(std::clamp(v, -1e9, 1e9));
}

// A projected rectangle at (px, py); its far edges wrap at 32 bits like the projection.
TRect ProjectedRect(int px, int py, std::int64_t width, std::int64_t height, double scale) {
    return {px, py, Wrap32(px + std::int64_t(ScaledSize(Wrap32(width), scale))),
            Wrap32(py + std::int64_t(ScaledSize(Wrap32(height), scale)))};
}

} // namespace

void TThreeD::Project(int x, int y, int z, int& px, int& py, double& scale) const {
    const int d = Wrap32(std::int64_t(z) + ZDis);
    if (d == 0)
        throw EDivByZero();
    const int nx = Wrap32(std::int64_t(Wrap32(std::int64_t(x) - XDis)) * DiaF);
    const int ny = Wrap32(std::int64_t(Wrap32(std::int64_t(y) - YDis)) * DiaF);
    // Done in 64 bits: the one 32-bit quotient that overflows (min / -1) wraps instead.
    px = Wrap32(std::int64_t(XDis) + Wrap32(std::int64_t(nx) / d));
    py = Wrap32(std::int64_t(YDis) + Wrap32(std::int64_t(ny) / d));
    scale = static_cast<double>(DiaF) / d;
}

TSpriteBox::TSpriteBox(TComponent* owner) : TImage(owner) {
    SetBounds(0, 0, 210, 210);
}

TSpriteBox::~TSpriteBox() {
    while (!sprites_.empty()) {
        TVSprite* last = sprites_.back();
        last->LeaveSpriteBox();
        std::erase(sprites_, last);
    }
}

void TSpriteBox::AddSprite(TVSprite& sprite) {
    sprites_.push_back(&sprite);
    Settle(sprites_.size() - 1);
}

void TSpriteBox::RemoveSprite(TVSprite& sprite) {
    std::erase(sprites_, &sprite);
}

void TSpriteBox::ResortSprite(TVSprite& sprite) {
    auto it = std::find(sprites_.begin(), sprites_.end(), &sprite);
    if (it != sprites_.end())
        Settle(static_cast<std::size_t>(it - sprites_.begin()));
}

void TSpriteBox::Settle(std::size_t i) {
    for (;;) {
        int d = 0;
        if (sprites_.size() > 1) {
            if (i > 0 && sprites_[i - 1]->GetZ() < sprites_[i]->GetZ())
                d = -1;
            else if (i + 1 < sprites_.size() && sprites_[i + 1]->GetZ() > sprites_[i]->GetZ())
                d = 1;
        }
        if (d == 0)
            return;
        const std::size_t j = d < 0 ? i - 1 : i + 1;
        std::swap(sprites_[i], sprites_[j]);
        i = j;
    }
}

Canvas* TSpriteBox::FormCanvas() const {
    return Parent() ? &Parent()->GetCanvas() : nullptr;
}

void TSpriteBox::RedrawRect(TRect r, int z) {
    if (threeD_.Enabled && z != kProjected) {
        int px, py;
        double scale;
        threeD_.Project(r.Left, r.Top, z, px, py, scale);
        r = ProjectedRect(px, py, std::int64_t(r.Right) - r.Left, std::int64_t(r.Bottom) - r.Top,
                          scale);
    }
    if (updating_) {
        AddDirtyRect(r);
        return;
    }
    Bitmap* temp = TempBitmap();
    Canvas* form = FormCanvas();
    if (!temp || !form)
        return;
    // Frames size the scratch bitmap unprojected; a projection may enlarge what is redrawn.
    GrowTempBitmap(r.Width(), r.Height());
    Compose(r, *temp);
    // Where it lies on the window, without wrapping: a place beyond the range is not on it.
    const std::int64_t left = std::int64_t(r.Left) + Left(), top = std::int64_t(r.Top) + Top();
    const std::int64_t right = left + r.Width(), bottom = top + r.Height();
    constexpr std::int64_t kLow = std::numeric_limits<int>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<int>::max();
    if (std::min({left, top, right, bottom}) < kLow || std::max({left, top, right, bottom}) > kHigh)
        return;
    const TRect onWindow{int(left), int(top), int(right), int(bottom)};
    {
        const CanvasStateSaver saved(*form);
        form->SetClipRect(BoundsRect());
        form->SetCopyMode(CopyMode::SrcCopy);
        form->CopyRect(onWindow, *temp, Bounds(0, 0, r.Width(), r.Height()));
    }
    TRect shown;
    if (IntersectRect(shown, onWindow, BoundsRect()))
        Parent()->Damage(shown);
}

void TSpriteBox::Compose(const TRect& r, Bitmap& temp) {
    const TRect d = Bounds(0, 0, r.Width(), r.Height());
    Canvas& canvas = temp.GetCanvas();
    const CanvasStateSaver saved(canvas);
    // Only D is shown; sprites reaching past it need not be drawn there.
    canvas.SetClipRect(d);
    canvas.SetCopyMode(CopyMode::SrcCopy);
    if (Picture().Empty()) {
        canvas.SetBrushColor(clBlack);
        canvas.SetBrushStyle(BrushStyle::Solid);
        canvas.FillRect(d);
    } else {
        canvas.CopyRect(d, Picture(), r);
    }
    for (TVSprite* sprite : sprites_) {
        if (!sprite->Visible())
            continue;
        if (!threeD_.Enabled) {
            if (sprite->IntersectsRect(r))
                sprite->Draw(canvas, sprite->GetX() - r.Left, sprite->GetY() - r.Top, d);
            continue;
        }
        int px, py;
        double scale;
        threeD_.Project(sprite->GetX(), sprite->GetY(), sprite->GetZ(), px, py, scale);
        const TRect sr = ProjectedRect(px, py, sprite->GetWidth(), sprite->GetHeight(), scale);
        TRect ignored;
        if (IntersectRect(ignored, sr, r))
            sprite->DrawScaled(canvas, px - r.Left, py - r.Top, d, scale);
    }
}

void TSpriteBox::AddDirtyRect(const TRect& r) {
    auto& list = *dirtyRects_;
    for (std::size_t i = 0; i < list.size(); ++i) {
        TRect ignored;
        if (IntersectRect(ignored, list[i], r)) {
            UnionRect(list[i], list[i], r);
            MergeDirtyRect(i);
            return;
        }
    }
    list.push_back(r);
}

void TSpriteBox::MergeDirtyRect(std::size_t i) {
    auto& list = *dirtyRects_;
    std::swap(list[0], list[i]);
    std::size_t n = list.size() - 1;
    while (n != 0) {
        TRect ignored;
        if (IntersectRect(ignored, list[n], list[0])) {
            UnionRect(list[0], list[0], list[n]);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(n));
            n = list.size() - 1;
        } else {
            --n;
        }
    }
}

void TSpriteBox::BeginUpdate() {
    if (updating_)
        EndUpdate();
    updating_ = true;
    dirtyRects_.emplace();
}

void TSpriteBox::EndUpdate() {
    if (!updating_)
        return;
    updating_ = false;
    if (!dirtyRects_)
        return;
    std::vector<TRect> list = std::move(*dirtyRects_);
    dirtyRects_.reset();
    std::int64_t width = 0, height = 0;
    for (const TRect& r : list) {
        width = std::max(width, std::int64_t(r.Right) - r.Left + 1);
        height = std::max(height, std::int64_t(r.Bottom) - r.Top + 1);
    }
    GrowTempBitmap(width, height);
    for (const TRect& r : list)
        RedrawRect(r, kProjected);
}

void TSpriteBox::Paint() {
    TImage::Paint();
    Canvas* form = FormCanvas();
    if (!form)
        return;
    const TRect origin = BoundsRect();
    for (TVSprite* sprite : sprites_) {
        if (!sprite->Visible())
            continue;
        const CanvasStateSaver saved(*form);
        form->SetClipRect(BoundsRect());
        if (!threeD_.Enabled) {
            sprite->Draw(*form, sprite->GetX(), sprite->GetY(), origin);
        } else {
            int px, py;
            double scale;
            threeD_.Project(sprite->GetX(), sprite->GetY(), sprite->GetZ(), px, py, scale);
            sprite->DrawScaled(*form, px, py, origin, scale);
        }
    }
}

} // namespace dd
