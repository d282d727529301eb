#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace dd {

// One value of the user's registry file, a registry-export text:
//   [HKEY_CURRENT_USER\Control Panel\desktop]
//   "ScreenSaveUsePassword"=dword:00000000
struct RegistryMissing {};
struct RegistryOtherType {};
using RegistryValue = std::variant<RegistryMissing, std::uint32_t, std::string, RegistryOtherType>;

// Reads `valueName` under `keyPath`; key and value names compare without regard to case.
// A missing or unreadable file, key or value is RegistryMissing; a value that is neither a
// well-formed dword nor a quoted text is RegistryOtherType. Never throws for the file's content.
RegistryValue ReadRegistryValue(const std::filesystem::path& file, std::string_view keyPath,
                                std::string_view valueName);

// The user's value `valueName` under HKEY_CURRENT_USER\`subKey`: from the registry file
// "user.reg" in the settings folder, or on Windows from the system's registry.
RegistryValue ReadUserRegistryValue(std::string_view subKey, std::string_view valueName);

} // namespace dd
