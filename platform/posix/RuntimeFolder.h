#pragma once

#include <filesystem>

namespace dd {

// POSIX only: the user's private folder of the windows' endpoints and the instance lock,
// $XDG_RUNTIME_DIR/dravelin-didazi, else /tmp/dravelin-didazi-<uid>.
std::filesystem::path WindowDirectory();

// Creates the folder if needed; true when it exists, is ours and is closed to everybody else.
bool PrepareWindowDirectory(const std::filesystem::path& dir);

} // namespace dd
