#include "platform/io/ProfileText.h"

#include <algorithm>
#include <cctype>

namespace dd {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Built by appending: GCC 12 at -O3 takes "x" + std::string for an overlapping copy.
std::string Enclosed(char open, std::string_view text, char close) {
    std::string out;
    out.reserve(text.size() + 2);
    out += open;
    out += text;
    out += close;
    return out;
}

// Matching single or double quotes around a value are not part of it.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Editors on Windows start a UTF-8 file with a byte-order mark; it belongs to no line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

ProfileText::ProfileText(std::string_view contents) {
    if (contents.starts_with(kByteOrderMark)) {
        byteOrderMark_ = kByteOrderMark;
        contents.remove_prefix(kByteOrderMark.size());
    }
    while (!contents.empty()) {
        std::size_t end = contents.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines_.push_back({std::string(contents), ""});
            break;
        }
        std::size_t endLength = 1;
        if (contents[end] == '\r' && end + 1 < contents.size() && contents[end + 1] == '\n')
            endLength = 2;
        lines_.push_back(
            {std::string(contents.substr(0, end)), std::string(contents.substr(end, endLength))});
        contents.remove_prefix(end + endLength);
    }
}

std::optional<std::string_view> ProfileText::SectionName(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    text.remove_prefix(1);
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt; // not a header: the line is ignored
    return Trim(text.substr(0, close));
}

std::optional<ProfileText::KeyLine> ProfileText::ParseKeyLine(std::string_view text) {
    std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return std::nullopt;
    std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return KeyLine{Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))};
}

std::optional<std::size_t> ProfileText::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(lines_[i].text);
        if (name && EqualIgnoringCase(*name, Trim(section)))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileText::Value(std::string_view section,
                                              std::string_view key) const {
    auto raw = RawValue(section, key);
    if (!raw)
        return std::nullopt;
    return std::string(Unquote(*raw));
}

std::optional<std::string> ProfileText::RawValue(std::string_view section,
                                                 std::string_view key) const {
    auto header = FindSection(section);
    if (!header)
        return std::nullopt;
    for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
        if (SectionName(lines_[i].text))
            break;
        auto line = ParseKeyLine(lines_[i].text);
        if (line && EqualIgnoringCase(line->key, Trim(key)))
            return std::string(line->value);
    }
    return std::nullopt;
}

std::string ProfileText::NewLineEnd() const {
    for (const Line& line : lines_)
        if (!line.end.empty())
            return line.end;
    return "\n";
}

void ProfileText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string end = NewLineEnd();
    const std::string keyLine = std::string(Trim(key)) + "=" + EncodeValue(value);
    auto header = FindSection(section);
    if (!header) {
        if (!lines_.empty() && lines_.back().end.empty())
            lines_.back().end = end;
        lines_.push_back({Enclosed('[', Trim(section), ']'), end});
        lines_.push_back({keyLine, end});
        return;
    }
    std::size_t insertAt = *header + 1;
    for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
        if (SectionName(lines_[i].text))
            break;
        auto line = ParseKeyLine(lines_[i].text);
        if (line && EqualIgnoringCase(line->key, Trim(key))) {
            lines_[i].text = std::string(line->key) + "=" + EncodeValue(value);
            return;
        }
        if (!Trim(lines_[i].text).empty())
            insertAt = i + 1;
    }
    if (lines_[insertAt - 1].end.empty())
        lines_[insertAt - 1].end = end;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), {keyLine, end});
}

std::string ProfileText::Contents() const {
    std::string out = byteOrderMark_;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}

std::string ProfileText::EncodeValue(std::string_view value) {
    bool changedByReading = value != Trim(value) || Unquote(value) != value;
    if (changedByReading)
        return Enclosed('"', value, '"');
    return std::string(value);
}

} // namespace dd
