#include "watcher/IdleDelay.h"

#include <charconv>

namespace dd {

std::optional<std::chrono::seconds> ParseIdleDelay(std::string_view text) {
    const bool seconds = text.ends_with('s');
    if (seconds)
        text.remove_suffix(1);
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    const long limit = seconds ? 86'400 : 1'440;
    if (value < 1 || value > limit)
        return std::nullopt;
    return std::chrono::seconds(seconds ? value : value * 60);
}

} // namespace dd
