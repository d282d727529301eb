#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace dd {

// What --idle takes, said to a user who gave something else.
inline constexpr std::string_view kIdleDelayExpected =
    "DELAY is whole minutes from 1 to 1440 (--idle 10) or seconds from 1 to 86400 followed by "
    "s (--idle 30s)";

// The idle watcher's delay: whole minutes ("10"), or seconds with an s ("30s"), from one
// minute (or second) to 24 hours; nothing for anything else.
std::optional<std::chrono::seconds> ParseIdleDelay(std::string_view text);

} // namespace dd
