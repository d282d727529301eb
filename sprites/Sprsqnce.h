#pragma once

// Sequences of timed, offset steps that name frames, their lists and stream format.

#include "platform/core/Component.h"
#include "platform/core/Persistent.h"
#include "platform/core/Stream.h"
#include "sprites/Sprframe.h"
#include "sprites/TName.h"

#include <cstdint>
#include <string>

namespace dd {

class ESprite : public Exception {
public:
    using Exception::Exception;
};

// What sequences need of the sprite that owns them: the version of its stored data (the
// `About` text it holds) and its frames.
class TSequenceOwner {
public:
    virtual ~TSequenceOwner() = default;
    virtual std::string DataVersion() const = 0;
    virtual TFrameList& GetFrameList() = 0;
};

// One step: a frame name, an offset and a display time in seconds.
class TFrameRef : public TPersistent {
public:
    explicit TFrameRef(TSequenceOwner* sprite) : Sprite(sprite) {}

    std::string ClassName() const override { return "TFrameRef"; }
    void Assign(const TPersistent& source) override;

    void SetFrameName(std::string_view name) { FrameName.Set(name); }
    // The frame's index in the sprite's frame list, or -1.
    int GetFrameIndex() const;

    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

    TName FrameName;
    TSequenceOwner* Sprite;
    std::int16_t DX = 0;
    std::int16_t DY = 0;
    std::int16_t DZ = 0;
    double Time = 0;
};

class TSequence : public TPersistentList<TFrameRef> {
public:
    explicit TSequence(TSequenceOwner* sprite) : Name("New Sequence"), Sprite(sprite) {}

    std::string ClassName() const override { return "TSequence"; }
    void Assign(const TPersistent& source) override;

    TFrameRef& Steps(int index) const { return Item(index); }
    void GetStep(int index, int& frameIndex, int& dx, int& dy, int& dz, double& time) const;

    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

    TName Name;
    TSequenceOwner* Sprite;
};

class TSequenceList : public TPersistentList<TSequence> {
public:
    explicit TSequenceList(TSequenceOwner* sprite) : Sprite(sprite) {}

    std::string ClassName() const override { return "TSequenceList"; }
    void Assign(const TPersistent& source) override;

    TSequence& Sequences(int index) const { return Item(index); }
    // Compared after folding ASCII a to z to upper case.
    int IndexOf(std::string_view name) const;
    TSequence& SequenceByName(std::string_view name) const;

    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

    TSequenceOwner* Sprite;
};

// The abstract sprite the sprite box works with: visibility, a 16-bit position and depth, and
// the sizing and drawing it needs. Positions pass as 32-bit integers; storing keeps the low
// 16 bits.
class TVSprite : public TComponent {
public:
    explicit TVSprite(TComponent* owner) : TComponent(owner) {}

    virtual void SetVisible(bool value) { visible_ = value; }
    virtual void SetX(int value) { x_ = static_cast<std::int16_t>(value); }
    virtual void SetY(int value) { y_ = static_cast<std::int16_t>(value); }
    virtual void SetZ(int value) { z_ = static_cast<std::int16_t>(value); }
    virtual int GetX() const { return x_; }
    virtual int GetY() const { return y_; }
    virtual int GetZ() const { return z_; }
    virtual int GetLeft() const { return GetX(); }
    virtual void SetLeft(int value) { SetX(value); }
    virtual int GetTop() const { return GetY(); }
    virtual void SetTop(int value) { SetY(value); }
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    // Draws with the top-left corner at (origin.Left + x, origin.Top + y).
    virtual void Draw(Canvas& canvas, int x, int y, const TRect& origin) = 0;
    virtual void DrawScaled(Canvas& canvas, int x, int y, const TRect& origin, double scale) = 0;
    // The sprite box is going away: forget it without touching the box.
    virtual void LeaveSpriteBox() {}
    virtual bool IntersectsRect(const TRect& r) const {
        TRect ignored;
        return IntersectRect(ignored, BoundsRect(), r);
    }

    bool Visible() const { return visible_; }
    TRect BoundsRect() const {
        return {GetLeft(), GetTop(), GetLeft() + GetWidth(), GetTop() + GetHeight()};
    }

private:
    bool visible_ = false;
    std::int16_t x_ = 0;
    std::int16_t y_ = 0;
    std::int16_t z_ = 0;
};

// The data version that gives steps their DZ field.
inline constexpr std::string_view kVersionWithDepth = "1.1b";

} // namespace dd
