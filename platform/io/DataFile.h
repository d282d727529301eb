#pragma once

#include <filesystem>
#include <string_view>

namespace dd {

// A data file named the platform's way ("Home" followed by a file name): a backslash is a path
// separator, and a name that does not exist as written is looked up without regard to case,
// folder by folder.
std::filesystem::path ResolveDataFile(std::string_view name);

} // namespace dd
