// Whole-file reads and atomic replacement with Windows' own calls.

#include "platform/io/AtomicFile.h"

#include "platform/io/TemporaryFiles.h"
#include "platform/win32/Windows.h"

#include <string>
#include <system_error>
#include <utility>

namespace dd {
namespace {

[[noreturn]] void Fail(const std::string& what, DWORD error = ::GetLastError()) {
    throw std::system_error(static_cast<int>(error), std::system_category(), what);
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle& operator=(FileHandle&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~FileHandle() { Close(); }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    BOOL Close() {
        return valid() ? ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) : TRUE;
    }

private:
    HANDLE handle_;
};

void WriteAll(HANDLE file, std::string_view data) {
    while (!data.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0)
            Fail("WriteFile");
        data.remove_prefix(written);
    }
}

} // namespace

void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view contents, mode_t) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        Fail("not a regular file", ERROR_DIRECTORY);
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    RemoveStaleTemporaries(path);
    // A new name in the same folder, so that the rename stays on one volume.
    std::filesystem::path tempName;
    FileHandle file(INVALID_HANDLE_VALUE);
    while (!file.valid()) {
        tempName = folder / (TemporaryPrefix(path) + UniqueSuffix());
        file = FileHandle(::CreateFileW(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid() && ::GetLastError() != ERROR_FILE_EXISTS)
            Fail("CreateFile");
    }
    try {
        WriteAll(file.get(), contents);
        if (!::FlushFileBuffers(file.get()))
            Fail("FlushFileBuffers");
        if (!file.Close())
            Fail("CloseHandle");
        if (!::MoveFileExW(tempName.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail("MoveFileEx");
    } catch (...) {
        file.Close();
        ::DeleteFileW(tempName.c_str());
        throw;
    }
}

void CreatePrivateDirectory(const std::filesystem::path& directory) {
    // A folder in the user's profile is the user's alone already.
    ::CreateDirectoryW(directory.c_str(), nullptr);
}

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (const DWORD error = ::GetLastError(); !file.valid())
        Fail("open " + path.string(), error);
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        Fail("not a regular file: " + path.string(), ERROR_DIRECTORY);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        Fail("GetFileSizeEx");
    if (static_cast<std::uint64_t>(size.QuadPart) > maxSize)
        Fail("too large: " + path.string(), ERROR_FILE_TOO_LARGE);
    std::string data;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
            const DWORD error = ::GetLastError();
            Fail("read " + path.string(), error);
        }
        if (read == 0)
            break;
        data.append(buffer, read);
        if (data.size() > maxSize) // it grew while being read
            Fail("too large: " + path.string(), ERROR_FILE_TOO_LARGE);
    }
    return data;
}

} // namespace dd
