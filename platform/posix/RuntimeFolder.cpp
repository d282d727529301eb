#include "platform/posix/RuntimeFolder.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace dd {

bool PrepareWindowDirectory(const std::filesystem::path& dir) {
    ::mkdir(dir.c_str(), 0700);
    struct stat info {};
    if (::lstat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return false;
    if ((info.st_mode & 077) != 0 && ::chmod(dir.c_str(), 0700) != 0)
        return false;
    return true;
}

std::filesystem::path WindowDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return std::filesystem::path(runtime) / "dravelin-didazi";
    return "/tmp/dravelin-didazi-" + std::to_string(::getuid());
}

} // namespace dd
