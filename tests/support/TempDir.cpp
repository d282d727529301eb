#include "tests/support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>
#ifdef _WIN32
#include "platform/win32/Windows.h"
#endif

namespace dd::test {
namespace {

#ifdef _WIN32
constexpr wchar_t kDesktopKey[] = L"Control Panel\\desktop";
constexpr wchar_t kPasswordFlag[] = L"ScreenSaveUsePassword";
#endif

std::string GetEnv(const char* name, bool& present) {
    const char* value = std::getenv(name);
    present = value != nullptr;
    return value ? value : "";
}

void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
    ::_putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);
#endif
}

void RestoreEnv(const char* name, const std::string& value, bool present) {
    if (present)
        SetEnv(name, value);
#ifdef _WIN32
    else
        ::_putenv_s(name, ""); // an empty value removes the variable there
#else
    else
        ::unsetenv(name);
#endif
}

} // namespace

TempDir::TempDir() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "dd-test-";
        for (int i = 0; i < 8; ++i)
            name += kLetters[device() % (sizeof kLetters - 1)];
        const auto path = std::filesystem::temp_directory_path() / name;
        // Created only when it did not exist: a fresh folder of this test's own.
        if (std::filesystem::create_directory(path)) {
            std::filesystem::permissions(path, std::filesystem::perms::owner_all);
            path_ = path;
            return;
        }
    }
    throw std::runtime_error("no fresh temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

IsolatedEnvironment::IsolatedEnvironment()
    : oldSettings_(GetEnv("DRAVELIN_SETTINGS_DIR", hadSettings_)),
      oldRuntime_(GetEnv("XDG_RUNTIME_DIR", hadRuntime_)) {
    SetEnv("DRAVELIN_SETTINGS_DIR", settings_.path().string());
    SetEnv("XDG_RUNTIME_DIR", runtime_.path().string());
}

void IsolatedEnvironment::SetDesktopPasswordFlag(std::uint32_t value) {
#ifdef _WIN32
    if (!setRegistry_) {
        // The user's own value comes back afterwards, whatever its type.
        DWORD type = 0;
        DWORD size = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kPasswordFlag, RRF_RT_ANY, &type,
                           nullptr, &size) == ERROR_SUCCESS) {
            std::vector<std::uint8_t> bytes(size);
            if (::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kPasswordFlag, RRF_RT_ANY, &type,
                               bytes.data(), &size) == ERROR_SUCCESS) {
                bytes.resize(size);
                oldRegistryFlag_ = std::move(bytes);
                oldRegistryType_ = type;
            }
        }
        setRegistry_ = true;
    }
    const DWORD dword = value;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kPasswordFlag, REG_DWORD, &dword,
                      sizeof dword);
#else
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", value);
    WriteFile(settings() / "user.reg", std::string("[HKEY_CURRENT_USER\\Control Panel\\desktop]\n"
                                                   "\"ScreenSaveUsePassword\"=dword:") +
                                           hex + "\n");
#endif
}

IsolatedEnvironment::~IsolatedEnvironment() {
#ifdef _WIN32
    if (setRegistry_ && oldRegistryFlag_)
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kPasswordFlag, oldRegistryType_,
                          oldRegistryFlag_->data(), static_cast<DWORD>(oldRegistryFlag_->size()));
    else if (setRegistry_)
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kPasswordFlag);
#endif
    RestoreEnv("DRAVELIN_SETTINGS_DIR", oldSettings_, hadSettings_);
    RestoreEnv("XDG_RUNTIME_DIR", oldRuntime_, hadRuntime_);
}

ProfileFile SettingsIn(const IsolatedEnvironment& env) {
    return ProfileFile(env.settings(), "control.ini");
}

void WriteSaverSettings(const IsolatedEnvironment& env, const std::string& home,
                        const std::string& extra) {
    WriteFile(env.settings() / "control.ini", "[ScreenSaver.Zeilen]\nHome=" + home + "\n" + extra);
}

void WriteFile(const std::filesystem::path& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace dd::test
