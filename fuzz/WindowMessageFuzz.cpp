// Any bytes as a message between windows, a reply or an endpoint's identity file: either
// refused or read back to exactly the same bytes.

#include "platform/io/WindowMessage.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (const auto request = dd::DecodeRequest(bytes)) {
        const auto again = dd::EncodeRequest(*request);
        if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end()))
            std::abort();
    }
    if (const auto reply = dd::DecodeReply(bytes)) {
        const auto again = dd::EncodeReply(*reply);
        if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end()))
            std::abort();
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto identity = dd::ParseIdentity(text)) {
        if (dd::FormatIdentity(*identity) != text)
            std::abort();
    }
    return 0;
}
