#pragma once

// Sequences of timed, offset steps that name frames, their lists and stream format.

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

// What sequences need of the sprite that owns them: the version of its stored data (its
// `About` text) and its frames.
class TSequenceOwner {
public:
    virtual ~TSequenceOwner() = default;
    virtual std::string GetAbout() const = 0;
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

// The data version that gives steps their DZ field.
inline constexpr std::string_view kVersionWithDepth = "1.1b";

} // namespace dd
