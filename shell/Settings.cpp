#include "shell/Settings.h"

#include "platform/io/SettingsDirectory.h"

#include <utility>

namespace dd {

ProfileFile SettingsFile(std::string fileName) {
    return ProfileFile(SettingsDirectory(), std::move(fileName));
}

std::string EnsureTrailingText(std::string text, std::string_view suffix) {
    if (!text.ends_with(suffix))
        text += suffix;
    return text;
}

SaverSettings ReadSaverSettings(const ProfileFile& file) {
    SaverSettings settings;
    settings.picture = file.ReadInteger(kSettingsSection, kKeyPicture, 0);
    settings.sound = file.ReadBool(kSettingsSection, kKeySound, false);
    settings.followStar = file.ReadBool(kSettingsSection, kKeyFollowStar, false);
    settings.homeDir = file.ReadString(kSettingsSection, kKeyHome, "");
    if (!settings.homeDir.empty())
        settings.homeDir = EnsureTrailingText(std::move(settings.homeDir), "\\");
    return settings;
}

RegistryValue DesktopPasswordFlag() {
    return ReadUserRegistryValue("Control Panel\\desktop", "ScreenSaveUsePassword");
}

std::string PasswordInForce(const ProfileFile& file, const RegistryValue& desktopFlag) {
    std::string password = file.ReadString(kSettingsSection, kKeyPassword, "");
    if (const auto* dword = std::get_if<std::uint32_t>(&desktopFlag); dword && *dword == 0)
        return "";
    return password;
}

} // namespace dd
