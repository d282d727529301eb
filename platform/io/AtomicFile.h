#pragma once

#include <filesystem>
#include <string_view>
#include <sys/types.h>

namespace dd {

// Replaces `path` with `contents` so that a reader sees either the old file or the new one,
// never a part: a temporary file in the same folder is written, flushed and renamed over it,
// and one left by a writer killed midway is removed by a later write.
// An existing file keeps its permission bits; a new one gets `newFileMode`. Throws
// std::system_error and leaves the old file untouched on any failure.
void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view contents,
                           mode_t newFileMode);

// Creates `directory` for its owner alone, in one step, unless it exists; what fails here is
// left to the write that follows.
void CreatePrivateDirectory(const std::filesystem::path& directory);

// Reads a whole regular file. Throws std::system_error when it cannot.
// Files larger than this are refused rather than read into memory.
inline constexpr std::size_t kMaxReadSize = std::size_t{256} << 20;
std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize = kMaxReadSize);

} // namespace dd
