#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace dd {

// A data file named the platform's way ("Home" followed by a file name): a backslash is a path
// separator, and a name that does not exist as written is looked up without regard to case,
// folder by folder. A bare file name (no "Home") that is not in the current folder is looked
// for in the installed data folders.
std::filesystem::path ResolveDataFile(std::string_view name);

// Where an installed program keeps its data, found from the program's own location so that any
// install prefix works: <prefix>/share/dravelin-didazi beside <prefix>/bin, and the build's data
// folder when it runs from the build tree; on Windows the folder that holds the program.
std::vector<std::filesystem::path> InstalledDataFolders();

} // namespace dd
