#include "sprites/Sprsqnce.h"

#include "platform/core/Real48.h"

#include <algorithm>

namespace dd {
namespace {

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Byte-wise comparison as unsigned characters; a proper prefix sorts first.
bool VersionBelow(std::string_view version, std::string_view reference) {
    return std::lexicographical_compare(
        version.begin(), version.end(), reference.begin(), reference.end(), [](char a, char b) {
            return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
        });
}

} // namespace

void TFrameRef::Assign(const TPersistent& source) {
    const auto* step = dynamic_cast<const TFrameRef*>(&source);
    if (!step) {
        TPersistent::Assign(source);
        return;
    }
    FrameName = step->FrameName;
    Sprite = step->Sprite;
    DX = step->DX;
    DY = step->DY;
    DZ = step->DZ;
    Time = step->Time;
}

int TFrameRef::GetFrameIndex() const {
    if (!Sprite)
        return -1;
    return Sprite->GetFrameList().IndexOf(FrameName.Str());
}

void TFrameRef::ReadData(TStream& stream) {
    const std::string version = Sprite ? Sprite->DataVersion() : std::string();
    TName name;
    name.Read(stream);
    SetFrameName(name.Str());
    DX = stream.ReadS16();
    DY = stream.ReadS16();
    DZ = VersionBelow(version, kVersionWithDepth) ? 0 : stream.ReadS16();
    Real48Bytes time;
    stream.ReadBuffer(time.data(), time.size());
    Time = Real48ToDouble(time);
}

void TFrameRef::WriteData(TStream& stream) const {
    FrameName.Write(stream);
    stream.WriteS16(DX);
    stream.WriteS16(DY);
    stream.WriteS16(DZ);
    const Real48Bytes time = DoubleToReal48(Time);
    stream.WriteBuffer(time.data(), time.size());
}

void TSequence::Assign(const TPersistent& source) {
    const auto* sequence = dynamic_cast<const TSequence*>(&source);
    if (!sequence) {
        TPersistent::Assign(source);
        return;
    }
    if (sequence == this)
        return;
    Name = sequence->Name;
    Sprite = sequence->Sprite;
    Clear();
    for (const auto& step : sequence->items_) {
        auto copy = std::make_unique<TFrameRef>(Sprite);
        copy->Assign(*step);
        Add(std::move(copy));
    }
}

void TSequence::GetStep(int index, int& frameIndex, int& dx, int& dy, int& dz, double& time) const {
    if (index == -1) {
        frameIndex = Steps(0).GetFrameIndex();
        dx = dy = dz = 0;
        time = 0;
        return;
    }
    const TFrameRef& step = Steps(index);
    frameIndex = step.GetFrameIndex();
    dx = step.DX;
    dy = step.DY;
    dz = step.DZ;
    time = step.Time;
}

void TSequence::ReadData(TStream& stream) {
    Name.Read(stream);
    const int count = stream.ReadS16();
    for (int i = 0; i < count; ++i) {
        auto step = std::make_unique<TFrameRef>(Sprite);
        step->ReadData(stream);
        Add(std::move(step));
    }
}

void TSequence::WriteData(TStream& stream) const {
    Name.Write(stream);
    stream.WriteS16(static_cast<std::int16_t>(Count()));
    for (const auto& step : items_)
        step->WriteData(stream);
}

void TSequenceList::Assign(const TPersistent& source) {
    const auto* list = dynamic_cast<const TSequenceList*>(&source);
    if (!list) {
        TPersistent::Assign(source);
        return;
    }
    if (list == this)
        return;
    Sprite = list->Sprite;
    Clear();
    for (const auto& sequence : list->items_) {
        auto copy = std::make_unique<TSequence>(Sprite);
        copy->Assign(*sequence);
        Add(std::move(copy));
    }
}

int TSequenceList::IndexOf(std::string_view name) const {
    const std::string key = UpperAscii(name.substr(0, TName::kMaxLength));
    for (int i = 0; i < Count(); ++i)
        if (UpperAscii(items_[static_cast<std::size_t>(i)]->Name.Str()) == key)
            return i;
    return -1;
}

TSequence& TSequenceList::SequenceByName(std::string_view name) const {
    name = name.substr(0, TName::kMaxLength);
    const int index = IndexOf(name);
    if (index < 0)
        throw ESprite("SequenceByName: " + std::string(name) + " not found");
    return Sequences(index);
}

void TSequenceList::ReadData(TStream& stream) {
    const int count = stream.ReadS16();
    for (int i = 0; i < count; ++i) {
        auto sequence = std::make_unique<TSequence>(Sprite);
        sequence->ReadData(stream);
        Add(std::move(sequence));
    }
}

void TSequenceList::WriteData(TStream& stream) const {
    stream.WriteS16(static_cast<std::int16_t>(Count()));
    for (const auto& sequence : items_)
        sequence->WriteData(stream);
}

} // namespace dd
