// Where this program's files are on a POSIX desktop.

#include "platform/io/DataFile.h"
#include "platform/io/RegistryFile.h"
#include "platform/io/SettingsDirectory.h"

#include <cstdlib>
#include <string>

namespace dd {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::filesystem::path SettingsDirectory() {
    if (std::string dir = Env("DRAVELIN_SETTINGS_DIR"); !dir.empty())
        return dir;
    std::string config = Env("XDG_CONFIG_HOME");
    // Relative paths in XDG variables are invalid and to be ignored.
    if (config.empty() || config.front() != '/')
        config = Env("HOME") + "/.config";
    return std::filesystem::path(config) / "dravelin-didazi";
}

std::vector<std::filesystem::path> InstalledDataFolders() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    const std::filesystem::path prefix = program.parent_path().parent_path();
    return {prefix / "share" / "dravelin-didazi", prefix / "data"};
}

RegistryValue ReadUserRegistryValue(std::string_view subKey, std::string_view valueName) {
    std::string key = "HKEY_CURRENT_USER\\";
    key += subKey;
    return ReadRegistryValue(FindIgnoringCase(SettingsDirectory(), "user.reg"), key, valueName);
}

} // namespace dd
