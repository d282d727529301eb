#include "sprites/FormReader.h"

#include <cctype>
#include <charconv>

namespace dd {
namespace {

constexpr std::size_t kMaxDepth = 32;
constexpr std::size_t kBytesPerLine = 32;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool IsIdentifier(std::string_view s) {
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_'))
        return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'))
            return false;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    FormObject Document() {
        if (!NextLine())
            throw EFormError(1, "empty description");
        FormObject root = Object(0);
        if (NextLine())
            throw EFormError(line_, "text after the last 'end'");
        return root;
    }

private:
    bool NextLine() {
        while (pos_ < text_.size()) {
            std::size_t end = text_.find('\n', pos_);
            if (end == std::string_view::npos)
                end = text_.size();
            current_ = Trim(text_.substr(pos_, end - pos_));
            pos_ = end + 1;
            ++line_;
            if (!current_.empty())
                return true;
        }
        current_ = {};
        return false;
    }

    FormObject Object(std::size_t depth) {
        if (depth > kMaxDepth)
            throw EFormError(line_, "objects nested too deeply");
        FormObject object;
        object.line = line_;
        std::string_view header = current_;
        if (header.substr(0, 7) != "object ")
            throw EFormError(line_, "expected 'object Name: TClass'");
        header.remove_prefix(7);
        const std::size_t colon = header.find(':');
        if (colon == std::string_view::npos)
            throw EFormError(line_, "expected 'object Name: TClass'");
        object.name = Trim(header.substr(0, colon));
        object.className = Trim(header.substr(colon + 1));
        if (!IsIdentifier(object.name) || !IsIdentifier(object.className))
            throw EFormError(line_, "bad object name or class");
        for (;;) {
            if (!NextLine())
                throw EFormError(line_, "missing 'end' of object " + object.name);
            if (current_ == "end")
                return object;
            if (current_.substr(0, 7) == "object ")
                object.children.push_back(Object(depth + 1));
            else
                object.properties.push_back(Property());
        }
    }

    FormProperty Property() {
        FormProperty property;
        property.line = line_;
        const std::size_t equals = current_.find('=');
        if (equals == std::string_view::npos)
            throw EFormError(line_, "expected 'Property = value'");
        property.name = Trim(current_.substr(0, equals));
        if (!IsIdentifier(property.name))
            throw EFormError(line_, "bad property name");
        property.value = Value(Trim(current_.substr(equals + 1)));
        return property;
    }

    FormValue Value(std::string_view text) {
        FormValue value;
        if (text.empty())
            throw EFormError(line_, "missing value");
        if (text[0] == '{') {
            value.kind = FormValue::Kind::Binary;
            Binary(text.substr(1), value.bytes);
        } else if (text[0] == '(') {
            value.kind = FormValue::Kind::Strings;
            Strings(text.substr(1), value.strings);
        } else if (text[0] == '\'') {
            value.kind = FormValue::Kind::String;
            value.text = Quoted(text);
        } else if (text[0] == '-' || std::isdigit(static_cast<unsigned char>(text[0]))) {
            value.kind = FormValue::Kind::Integer;
            auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), value.integer);
            if (error != std::errc() || end != text.data() + text.size())
                throw EFormError(line_, "bad number '" + std::string(text) + "'");
        } else if (IsIdentifier(text)) {
            value.kind = FormValue::Kind::Identifier;
            value.text = text;
        } else {
            throw EFormError(line_, "bad value '" + std::string(text.substr(0, 40)) + "'");
        }
        return value;
    }

    std::string Quoted(std::string_view text) {
        std::string out;
        std::size_t i = 1;
        for (;;) {
            if (i >= text.size())
                throw EFormError(line_, "unterminated text");
            if (text[i] == '\'') {
                if (i + 1 < text.size() && text[i + 1] == '\'') {
                    out += '\'';
                    i += 2;
                    continue;
                }
                if (i + 1 != text.size())
                    throw EFormError(line_, "text after the closing quote");
                return out;
            }
            out += text[i++];
        }
    }

    void Binary(std::string_view rest, std::vector<std::uint8_t>& bytes) {
        for (;;) {
            for (std::size_t i = 0; i < rest.size(); ++i) {
                if (rest[i] == '}') {
                    if (!Trim(rest.substr(i + 1)).empty())
                        throw EFormError(line_, "text after '}'");
                    return;
                }
                if (std::isspace(static_cast<unsigned char>(rest[i])))
                    continue;
                const int hi = HexDigit(rest[i]);
                const int lo = i + 1 < rest.size() ? HexDigit(rest[i + 1]) : -1;
                if (hi < 0 || lo < 0)
                    throw EFormError(line_, "bad hexadecimal data");
                bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
                ++i;
            }
            if (!NextLine())
                throw EFormError(line_, "missing '}'");
            rest = current_;
        }
    }

    void Strings(std::string_view rest, std::vector<std::string>& strings) {
        for (;;) {
            rest = Trim(rest);
            while (!rest.empty() && rest[0] == '\'') {
                std::size_t close = 1;
                while (close < rest.size() && (rest[close] != '\'' || (close + 1 < rest.size() &&
                                                                       rest[close + 1] == '\'')))
                    close += rest[close] == '\'' ? 2 : 1;
                if (close >= rest.size())
                    throw EFormError(line_, "unterminated text");
                strings.push_back(Quoted(rest.substr(0, close + 1)));
                rest = Trim(rest.substr(close + 1));
            }
            if (rest == ")")
                return;
            if (!rest.empty())
                throw EFormError(line_, "bad text list");
            if (!NextLine())
                throw EFormError(line_, "missing ')'");
            rest = current_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 0;
    std::string_view current_;
};

std::string QuoteText(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

void WriteObject(const FormObject& object, const std::string& indent, std::string& out) {
    out += indent + "object " + object.name + ": " + object.className + "\n";
    const std::string inner = indent + "  ";
    for (const FormProperty& p : object.properties) {
        out += inner + p.name + " = ";
        const FormValue& v = p.value;
        switch (v.kind) {
        case FormValue::Kind::Integer:
            out += std::to_string(v.integer) + "\n";
            break;
        case FormValue::Kind::String:
            out += QuoteText(v.text) + "\n";
            break;
        case FormValue::Kind::Identifier:
            out += v.text + "\n";
            break;
        case FormValue::Kind::Binary: {
            static const char* hex = "0123456789ABCDEF";
            out += "{";
            for (std::size_t i = 0; i < v.bytes.size(); ++i) {
                if (i % kBytesPerLine == 0)
                    out += "\n" + inner + "  ";
                out += hex[v.bytes[i] >> 4];
                out += hex[v.bytes[i] & 15];
            }
            out += "}\n";
            break;
        }
        case FormValue::Kind::Strings:
            out += "(";
            for (const std::string& s : v.strings)
                out += "\n" + inner + "  " + QuoteText(s);
            out += ")\n";
            break;
        }
    }
    for (const FormObject& child : object.children)
        WriteObject(child, inner, out);
    out += indent + "end\n";
}

} // namespace

std::int64_t FormValue::Integer(int line) const {
    if (kind != Kind::Integer)
        throw EFormError(line, "expected a number");
    return integer;
}

const std::string& FormValue::Text(int line) const {
    if (kind != Kind::String)
        throw EFormError(line, "expected a quoted text");
    return text;
}

const std::string& FormValue::Identifier(int line) const {
    if (kind != Kind::Identifier)
        throw EFormError(line, "expected a name");
    return text;
}

bool FormValue::Boolean(int line) const {
    const std::string& name = Identifier(line);
    if (name == "True")
        return true;
    if (name == "False")
        return false;
    throw EFormError(line, "expected True or False");
}

FormObject ParseFormDescription(std::string_view text) {
    return Parser(text).Document();
}

std::string WriteFormDescription(const FormObject& object) {
    std::string out;
    WriteObject(object, "", out);
    return out;
}

} // namespace dd
