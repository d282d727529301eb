#pragma once

#include "platform/core/Stream.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dd {

// A short string of at most 80 characters, held as in streams: a length byte and 80 character
// bytes. Setting a shorter text leaves the bytes after it as they were, so a name field is
// written back exactly as it was read.
class TName {
public:
    static constexpr std::size_t kMaxLength = 80;

    TName() = default;
    TName(std::string_view text) { Set(text); }

    void Set(std::string_view text);
    std::string Str() const;
    std::size_t Length() const { return field_[0]; }
    bool operator==(std::string_view text) const { return Str() == text; }

    void Read(TStream& stream);
    void Write(TStream& stream) const { stream.WriteBuffer(field_.data(), field_.size()); }
    const std::array<std::uint8_t, kMaxLength + 1>& Field() const { return field_; }

private:
    std::array<std::uint8_t, kMaxLength + 1> field_{};
};

} // namespace dd
