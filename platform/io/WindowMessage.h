#pragma once

// The bytes that pass between windows of different processes: a request of a message and two
// parameters, its reply, and the small identity file of an endpoint.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dd {

struct WindowMessage {
    std::uint32_t message = 0;
    std::int64_t wParam = 0;
    std::int64_t lParam = 0;
    bool operator==(const WindowMessage&) const = default;
};

inline constexpr std::size_t kRequestSize = 24;
inline constexpr std::size_t kReplySize = 16;
// An identity file larger than this is not ours.
inline constexpr std::size_t kMaxIdentitySize = 4096;

std::array<std::uint8_t, kRequestSize> EncodeRequest(const WindowMessage& m);
// Nothing unless `bytes` is exactly one request.
std::optional<WindowMessage> DecodeRequest(std::span<const std::uint8_t> bytes);
std::array<std::uint8_t, kReplySize> EncodeReply(std::int64_t result);
std::optional<std::int64_t> DecodeReply(std::span<const std::uint8_t> bytes);

struct WindowIdentity {
    std::string className;
    std::string title;
    bool operator==(const WindowIdentity&) const = default;
};

// "<class>\n<title>\n"; names holding a line break cannot be written.
std::optional<std::string> FormatIdentity(const WindowIdentity& identity);
std::optional<WindowIdentity> ParseIdentity(std::string_view text);

} // namespace dd
