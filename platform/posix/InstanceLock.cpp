#include "platform/io/InstanceLock.h"

#include "platform/posix/RuntimeFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dd {
namespace {

bool SameFile(int fd, const char* path) {
    struct stat opened {
    }, named{};
    return ::fstat(fd, &opened) == 0 && ::lstat(path, &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

InstanceLock::InstanceLock() {
    const std::filesystem::path dir = WindowDirectory();
    if (!PrepareWindowDirectory(dir))
        return;
    const std::string path = (dir / "instance.lock").string();
    // The holder removes the file when it ends; a lock taken on a file that was removed (or
    // replaced) meanwhile claims nothing, so try again on the file that is there now.
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            contested_ = true;
            return;
        }
        if (SameFile(fd, path.c_str())) {
            fd_ = fd;
            path_ = path;
            return;
        }
        ::close(fd);
    }
}

InstanceLock::~InstanceLock() {
    if (fd_ < 0)
        return;
    ::unlink(path_.c_str());
    ::close(fd_);
}

} // namespace dd
