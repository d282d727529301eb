// Where this program's files are on Windows.

#include "platform/io/DataFile.h"
#include "platform/io/RegistryFile.h"
#include "platform/io/SettingsDirectory.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Windows.h"

#include <cstdlib>
#include <shlobj.h>

namespace dd {

std::filesystem::path SettingsDirectory() {
    if (const wchar_t* dir = ::_wgetenv(L"DRAVELIN_SETTINGS_DIR"); dir && *dir)
        return dir;
    // The Windows folder is not writable by ordinary users any more; the roaming profile is.
    PWSTR appData = nullptr;
    std::filesystem::path folder;
    if (::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &appData) == S_OK)
        folder = appData;
    ::CoTaskMemFree(appData);
    return folder / L"Dravelin Didazi";
}

std::vector<std::filesystem::path> InstalledDataFolders() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return {std::filesystem::path(path).parent_path()};
}

RegistryValue ReadUserRegistryValue(std::string_view subKey, std::string_view valueName) {
    DWORD type = 0;
    DWORD size = 0;
    const std::wstring key = Widen(subKey);
    const std::wstring name = Widen(valueName);
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY, &type, nullptr,
                       &size) != ERROR_SUCCESS)
        return RegistryMissing{};
    if (type == REG_DWORD) {
        DWORD value = 0;
        size = sizeof value;
        if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr,
                           &value, &size) != ERROR_SUCCESS)
            return RegistryMissing{};
        return std::uint32_t{value};
    }
    if (type == REG_SZ) {
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                           text.data(), &size) != ERROR_SUCCESS)
            return RegistryMissing{};
        text.resize(size / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return Narrow(text);
    }
    return RegistryOtherType{};
}

} // namespace dd
