#include "sprites/TName.h"

#include <algorithm>

namespace dd {

void TName::Set(std::string_view text) {
    text = text.substr(0, kMaxLength);
    field_[0] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), field_.begin() + 1);
}

std::string TName::Str() const {
    return {reinterpret_cast<const char*>(field_.data()) + 1, field_[0]};
}

void TName::Read(TStream& stream) {
    stream.ReadBuffer(field_.data(), field_.size());
    // Stored data never has a longer name; a hostile stream is cut to the field.
    field_[0] = std::min<std::uint8_t>(field_[0], kMaxLength);
}

} // namespace dd
