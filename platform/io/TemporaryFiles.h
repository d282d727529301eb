#pragma once

// The temporaries an atomic replacement writes beside the file it replaces, named the same way
// on every system: ".control.ini.XXXXXX".

#include <filesystem>
#include <string>

namespace dd {

// ".<file name>.", the start of the names of `path`'s temporaries.
std::string TemporaryPrefix(const std::filesystem::path& path);

// Six random letters and digits, the end of a temporary's name.
std::string UniqueSuffix();

// Removes `path`'s temporaries that were left by a writer killed between naming and renaming
// them. Younger ones may belong to a writer still at work and are kept.
void RemoveStaleTemporaries(const std::filesystem::path& path);

} // namespace dd
