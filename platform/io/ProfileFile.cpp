#include "platform/io/ProfileFile.h"

#include "platform/core/Exception.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/ProfileInteger.h"
#include "platform/io/ProfileText.h"
#include "platform/io/SettingsDirectory.h"

#include <optional>
#include <system_error>
#include <utility>

namespace dd {
namespace {

// The file can hold a password, so only its owner may read a new one.
constexpr mode_t kNewFileMode = 0600;

// The file's contents, or nothing when no file of that name exists; throws for the rest.
std::optional<std::string> ReadIfPresent(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return std::nullopt;
    if (ec)
        throw std::system_error(ec, "stat");
    return ReadWholeFile(path);
}

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
        CreatePrivateDirectory(directory_);
        std::filesystem::path path = Path();
        if (std::filesystem::is_symlink(path))
            path = std::filesystem::weakly_canonical(path);
        ProfileText text(ReadIfPresent(path).value_or(""));
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
