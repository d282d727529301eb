#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dd {

// The profile file's text-to-integer conversion: "0x" prefixes become "$", leading blanks are
// skipped, then a signed decimal or a "$" hexadecimal number must run to the end of the text.
// Anything else, or a value outside the signed 32-bit range, gives nothing.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

} // namespace dd
