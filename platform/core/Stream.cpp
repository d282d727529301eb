#include "platform/core/Stream.h"

#include "platform/core/Exception.h"

#include <algorithm>
#include <cstring>

namespace dd {

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    if (Read(buffer, count) != count)
        throw EStreamError();
}

std::uint8_t TStream::ReadU8() {
    std::uint8_t b;
    ReadBuffer(&b, 1);
    return b;
}

std::int16_t TStream::ReadS16() {
    std::uint8_t b[2];
    ReadBuffer(b, 2);
    return static_cast<std::int16_t>(b[0] | b[1] << 8);
}

std::uint32_t TStream::ReadU32() {
    std::uint8_t b[4];
    ReadBuffer(b, 4);
    return b[0] | b[1] << 8 | b[2] << 16 | std::uint32_t(b[3]) << 24;
}

void TStream::WriteU8(std::uint8_t value) {
    WriteBuffer(&value, 1);
}

void TStream::WriteS16(std::int16_t value) {
    const auto v = static_cast<std::uint16_t>(value);
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(v & 0xFF),
                               static_cast<std::uint8_t>(v >> 8)};
    WriteBuffer(b, 2);
}

void TStream::WriteU32(std::uint32_t value) {
    const std::uint8_t b[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    WriteBuffer(b, 4);
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    const std::size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const std::size_t n = std::min(count, available);
    if (n > 0)
        std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (position_ + count > bytes_.size())
        bytes_.resize(position_ + count);
    if (count > 0)
        std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
}

} // namespace dd
