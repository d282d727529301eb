#pragma once

#include <filesystem>
#include <string_view>

namespace dd {

// Where the profile files and the registry file live: $DRAVELIN_SETTINGS_DIR when set, else
// ${XDG_CONFIG_HOME:-$HOME/.config}/dravelin-didazi, on Windows %APPDATA%\Dravelin Didazi.
std::filesystem::path SettingsDirectory();

// The entry of `directory` whose name equals `name` without regard to case, or the plain
// `directory / name` when none exists (so a new file takes the caller's spelling).
std::filesystem::path FindIgnoringCase(const std::filesystem::path& directory,
                                       std::string_view name);

} // namespace dd
