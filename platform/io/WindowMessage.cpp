#include "platform/io/WindowMessage.h"

#include <cstring>

namespace dd {
namespace {

constexpr std::uint32_t kRequestMagic = 0x4D574444; // "DDWM"
constexpr std::uint32_t kReplyMagic = 0x52574444;   // "DDWR"

template <typename T> void Put(std::uint8_t* at, T value) {
    std::memcpy(at, &value, sizeof value);
}

template <typename T> T Get(const std::uint8_t* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

} // namespace

std::array<std::uint8_t, kRequestSize> EncodeRequest(const WindowMessage& m) {
    std::array<std::uint8_t, kRequestSize> bytes{};
    Put(bytes.data(), kRequestMagic);
    Put(bytes.data() + 4, m.message);
    Put(bytes.data() + 8, m.wParam);
    Put(bytes.data() + 16, m.lParam);
    return bytes;
}

std::optional<WindowMessage> DecodeRequest(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kRequestSize || Get<std::uint32_t>(bytes.data()) != kRequestMagic)
        return std::nullopt;
    return WindowMessage{Get<std::uint32_t>(bytes.data() + 4), Get<std::int64_t>(bytes.data() + 8),
                         Get<std::int64_t>(bytes.data() + 16)};
}

std::array<std::uint8_t, kReplySize> EncodeReply(std::int64_t result) {
    std::array<std::uint8_t, kReplySize> bytes{};
    Put(bytes.data(), kReplyMagic);
    Put(bytes.data() + 8, result);
    return bytes;
}

std::optional<std::int64_t> DecodeReply(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kReplySize || Get<std::uint32_t>(bytes.data()) != kReplyMagic ||
        Get<std::uint32_t>(bytes.data() + 4) != 0)
        return std::nullopt;
    return Get<std::int64_t>(bytes.data() + 8);
}

std::optional<std::string> FormatIdentity(const WindowIdentity& identity) {
    if (identity.className.find('\n') != std::string::npos ||
        identity.title.find('\n') != std::string::npos)
        return std::nullopt;
    return identity.className + "\n" + identity.title + "\n";
}

std::optional<WindowIdentity> ParseIdentity(std::string_view text) {
    if (text.size() > kMaxIdentitySize)
        return std::nullopt;
    const std::size_t first = text.find('\n');
    if (first == std::string_view::npos || text.size() < first + 2 || text.back() != '\n')
        return std::nullopt;
    const std::string_view title = text.substr(first + 1, text.size() - first - 2);
    if (title.find('\n') != std::string_view::npos)
        return std::nullopt;
    return WindowIdentity{std::string(text.substr(0, first)), std::string(title)};
}

} // namespace dd
