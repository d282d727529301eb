#pragma once

#include "platform/io/ProfileFile.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dd::test {

// A fresh folder removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Points the settings folder and the window folder of this process at fresh temporary
// folders for the life of the object, and puts the old values back afterwards.
class IsolatedEnvironment {
public:
    IsolatedEnvironment();
    IsolatedEnvironment(const IsolatedEnvironment&) = delete;
    IsolatedEnvironment& operator=(const IsolatedEnvironment&) = delete;
    ~IsolatedEnvironment();

    const std::filesystem::path& settings() const { return settings_.path(); }
    const std::filesystem::path& runtime() const { return runtime_.path(); }

    // Sets the desktop's "ScreenSaveUsePassword" as a dword, where this system keeps it: the
    // registry file in the settings folder, or Windows' registry until the object goes and the
    // earlier value, if any, is put back.
    void SetDesktopPasswordFlag(std::uint32_t value);

private:
    TempDir settings_;
    TempDir runtime_;
    std::string oldSettings_;
    std::string oldRuntime_;
    bool hadSettings_;
    bool hadRuntime_;
    bool setRegistry_ = false;
    std::optional<std::vector<std::uint8_t>> oldRegistryFlag_;
    std::uint32_t oldRegistryType_ = 0;
};

// The saver's settings file in the environment's settings folder.
ProfileFile SettingsIn(const IsolatedEnvironment& env);
// Writes that file: the saver's section with `home` as its data folder, plus `extra` lines.
void WriteSaverSettings(const IsolatedEnvironment& env, const std::string& home,
                        const std::string& extra = "");

void WriteFile(const std::filesystem::path& path, const std::string& contents);
std::string ReadFile(const std::filesystem::path& path);

} // namespace dd::test
