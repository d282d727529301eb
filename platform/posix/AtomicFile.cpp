#include "platform/io/AtomicFile.h"

#include "platform/io/TemporaryFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace dd {
namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }

private:
    int fd_;
};

void WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            Fail("write");
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
}

} // namespace

void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view contents,
                           mode_t newFileMode) {
    struct stat existing {};
    mode_t mode = newFileMode;
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            errno = EISDIR;
            Fail("not a regular file");
        }
        mode = existing.st_mode & 07777;
    }
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    RemoveStaleTemporaries(path);

    std::string tempName = folder / (TemporaryPrefix(path) + "XXXXXX");
    // An unnamed file gets a name only once it is whole, so a write killed midway leaves
    // nothing behind; where the file system has no unnamed files, a named one is written.
    FileDescriptor fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    const bool unnamed = fd.get() >= 0;
    if (!unnamed)
        fd = FileDescriptor(::mkstemp(tempName.data()));
    if (fd.get() < 0)
        Fail("mkstemp");
    bool linked = !unnamed;
    try {
        if (::fchmod(fd.get(), mode) != 0)
            Fail("fchmod");
        WriteAll(fd.get(), contents);
        if (::fsync(fd.get()) != 0)
            Fail("fsync");
        if (unnamed) {
            const std::string self = "/proc/self/fd/" + std::to_string(fd.get());
            for (;;) {
                tempName = folder / (TemporaryPrefix(path) + UniqueSuffix());
                if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempName.c_str(),
                             AT_SYMLINK_FOLLOW) == 0)
                    break;
                if (errno != EEXIST)
                    Fail("linkat");
            }
            linked = true;
        }
        // Renamed at once: only a kill between these two calls leaves a name behind.
        if (::rename(tempName.c_str(), path.c_str()) != 0)
            Fail("rename");
        linked = false;
        if (::close(fd.release()) != 0)
            Fail("close");
    } catch (...) {
        if (linked)
            ::unlink(tempName.c_str());
        throw;
    }
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

void CreatePrivateDirectory(const std::filesystem::path& directory) {
    ::mkdir(directory.c_str(), 0700);
}

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize) {
    // Non-blocking, so a pipe in place of the file cannot hang the reader.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        Fail("open " + path.string());
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        Fail("fstat");
    if (!S_ISREG(info.st_mode)) {
        errno = EISDIR;
        Fail("not a regular file: " + path.string());
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxSize) {
        errno = EFBIG;
        Fail("too large: " + path.string());
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail("read " + path.string());
        if (n == 0)
            break;
        data.append(buffer, static_cast<size_t>(n));
        if (data.size() > maxSize) { // it grew while being read
            errno = EFBIG;
            Fail("too large: " + path.string());
        }
    }
    return data;
}

} // namespace dd
