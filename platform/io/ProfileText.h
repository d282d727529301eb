#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dd {

// The lines of a profile file with their own line ends, so that an edit can give back every
// untouched line byte for byte.
class ProfileText {
public:
    explicit ProfileText(std::string_view contents);

    // The value with blanks trimmed and matching single or double quotes removed.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // The value with blanks trimmed only.
    std::optional<std::string> RawValue(std::string_view section, std::string_view key) const;
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    std::string Contents() const;

    // The text to store for `value` so that reading it back gives `value` again.
    static std::string EncodeValue(std::string_view value);

private:
    struct Line {
        std::string text;
        std::string end;
    };
    struct KeyLine {
        std::string_view key;
        std::string_view value;
    };

    static std::optional<std::string_view> SectionName(std::string_view text);
    static std::optional<KeyLine> ParseKeyLine(std::string_view text);
    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::string NewLineEnd() const;

    std::string byteOrderMark_;
    std::vector<Line> lines_;
};

} // namespace dd
