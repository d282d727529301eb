#include "platform/io/RegistryFile.h"

#include "platform/io/AtomicFile.h"
#include "platform/io/ProfileText.h"

#include <system_error>

namespace dd {
namespace {

RegistryValue ParseData(std::string_view data) {
    constexpr std::string_view kDword = "dword:";
    if (data.substr(0, kDword.size()) == kDword) {
        std::string_view digits = data.substr(kDword.size());
        if (digits.empty() || digits.size() > 8)
            return RegistryOtherType{};
        std::uint32_t value = 0;
        for (char c : digits) {
            int d = (c >= '0' && c <= '9')   ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : -1;
            if (d < 0)
                return RegistryOtherType{};
            value = value * 16 + static_cast<std::uint32_t>(d);
        }
        return value;
    }
    if (data.size() >= 2 && data.front() == '"' && data.back() == '"')
        return std::string(data.substr(1, data.size() - 2));
    return RegistryOtherType{};
}

} // namespace

RegistryValue ReadRegistryValue(const std::filesystem::path& file, std::string_view keyPath,
                                std::string_view valueName) {
    std::string contents;
    try {
        contents = ReadWholeFile(file);
    } catch (const std::system_error&) {
        return RegistryMissing{};
    }
    // A registry export is a profile text whose keys are quoted value names.
    ProfileText text(contents);
    // Appended, not "\"" + name: GCC 12 at -O3 warns falsely about the latter.
    std::string quotedName;
    quotedName.reserve(valueName.size() + 2);
    quotedName += '"';
    quotedName += valueName;
    quotedName += '"';
    auto data = text.RawValue(keyPath, quotedName);
    if (!data)
        return RegistryMissing{};
    return ParseData(*data);
}

} // namespace dd
