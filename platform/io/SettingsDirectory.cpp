#include "platform/io/SettingsDirectory.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace dd {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::filesystem::path FindIgnoringCase(const std::filesystem::path& directory,
                                       std::string_view name) {
    std::filesystem::path exact = directory / std::string(name);
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(exact, ec)))
        return exact;
    for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (EqualIgnoringCase(it->path().filename().string(), name))
            return it->path();
    }
    return exact;
}

} // namespace dd
