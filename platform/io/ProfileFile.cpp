#include "platform/io/ProfileFile.h"

#include "platform/core/Exception.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/ProfileInteger.h"
#include "platform/io/ProfileText.h"
#include "platform/io/SettingsDirectory.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace dd {
namespace {

// The file can hold a password, so only its owner may read a new one.
constexpr mode_t kNewFileMode = 0600;

} // namespace

ProfileFile::ProfileFile(std::filesystem::path directory, std::string fileName)
    : directory_(std::move(directory)), fileName_(std::move(fileName)) {}

std::filesystem::path ProfileFile::Path() const {
    return FindIgnoringCase(directory_, fileName_);
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    std::string contents;
    try {
        contents = ReadWholeFile(Path());
    } catch (const std::system_error&) {
        return std::string(defaultValue.substr(0, kMaxValueLength));
    }
    std::string value =
        ProfileText(contents).Value(section, key).value_or(std::string(defaultValue));
    if (value.size() > kMaxValueLength)
        value.resize(kMaxValueLength);
    return value;
}

std::int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t defaultValue) const {
    return ParseProfileInteger(ReadString(section, key, "")).value_or(defaultValue);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    // A line break or NUL in a name or value would split or cut the line it is written on.
    for (std::string_view part : {section, key, value})
        if (part.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
            throw EIniFileException(fileName_);
    try {
        // A relative folder ("settings") has no parent to create.
        if (const auto parent = directory_.parent_path(); !parent.empty())
            std::filesystem::create_directories(parent);
        ::mkdir(directory_.c_str(), 0700);
        std::filesystem::path path = Path();
        if (std::filesystem::is_symlink(path))
            path = std::filesystem::weakly_canonical(path);
        std::string contents;
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0)
            contents = ReadWholeFile(path);
        else if (errno != ENOENT)
            throw std::system_error(errno, std::generic_category(), "stat");
        ProfileText text(contents);
        text.SetValue(section, key, value);
        ReplaceFileAtomically(path, text.Contents(), kNewFileMode);
    } catch (const std::system_error&) {
        throw EIniFileException(fileName_);
    }
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

} // namespace dd
