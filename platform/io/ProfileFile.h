#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace dd {

// A private profile (INI) file, located by name without regard to case in a folder. Every call
// opens the file, does one read or one write and closes it again; nothing is cached.
//
// Section and key names compare without regard to case, blanks around keys and values are
// ignored, a value in matching single or double quotes loses them, a byte-order mark at the
// start is skipped and a section header without its closing bracket is no header. A write keeps
// every other line of the file byte for byte and replaces the file atomically; a failed write
// throws EIniFileException and leaves the file as it was.
class ProfileFile {
public:
    static constexpr std::size_t kMaxValueLength = 1023;

    ProfileFile(std::filesystem::path directory, std::string fileName);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    std::filesystem::path Path() const;

private:
    std::filesystem::path directory_;
    std::string fileName_;
};

} // namespace dd
