#pragma once

#include "platform/io/ProfileFile.h"
#include "platform/io/RegistryFile.h"

#include <string>
#include <string_view>

namespace dd {

inline constexpr std::string_view kSettingsSection = "ScreenSaver.Zeilen";
inline constexpr std::string_view kKeyPicture = "Picture";
inline constexpr std::string_view kKeySound = "Sound";
inline constexpr std::string_view kKeyFollowStar = "FollowStar";
inline constexpr std::string_view kKeyHome = "Home";
inline constexpr std::string_view kKeyPassword = "PWD";

// The shared settings file in the settings folder; the saver says "control.ini", the Settings
// dialog "Control.ini", and both mean the same file.
ProfileFile SettingsFile(std::string fileName = "control.ini");

// Appends `suffix` unless `text` already ends with it (case-sensitive).
std::string EnsureTrailingText(std::string text, std::string_view suffix);

// What the saver reads at creation, in this order, with their defaults.
struct SaverSettings {
    int picture = 0;
    bool sound = false;
    bool followStar = false;
    std::string homeDir; // empty, or ending with a backslash
};
SaverSettings ReadSaverSettings(const ProfileFile& file);

// The desktop's "ScreenSaveUsePassword" of the current user.
RegistryValue DesktopPasswordFlag();

// The stored password, unless the desktop's flag is a dword equal to 0.
std::string PasswordInForce(const ProfileFile& file, const RegistryValue& desktopFlag);

} // namespace dd
