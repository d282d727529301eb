#include "platform/io/DataFile.h"

#include "platform/io/SettingsDirectory.h"

#include <algorithm>
#include <string>

namespace dd {
namespace {

std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& written) {
    std::filesystem::path resolved = written.is_absolute() ? written.root_path() : "";
    for (const auto& part : written.relative_path()) {
        const std::filesystem::path folder = resolved.empty() ? "." : resolved;
        std::filesystem::path found = FindIgnoringCase(folder, part.string());
        resolved = resolved.empty() ? found.filename() : resolved / found.filename();
    }
    return resolved;
}

} // namespace

std::filesystem::path ResolveDataFile(std::string_view name) {
    std::string text(name);
    std::replace(text.begin(), text.end(), '\\', '/');
    const std::filesystem::path written(text);
    std::error_code ec;
    if (std::filesystem::exists(written, ec))
        return written;
    const std::filesystem::path resolved = ResolveIgnoringCase(written);
    if (std::filesystem::exists(resolved, ec) || written.has_parent_path())
        return resolved;
    for (const auto& folder : InstalledDataFolders()) {
        const std::filesystem::path installed = FindIgnoringCase(folder, text);
        if (std::filesystem::exists(installed, ec))
            return installed;
    }
    return resolved;
}

} // namespace dd
