#pragma once

// The stored description of a window: nested blocks
//   object Name: TClass
//     Property = value
//     ...
//   end
// where a value is an integer, a 'quoted text' (a doubled quote stands for one), an
// identifier, hexadecimal bytes in braces (binary data, over several lines if need be) or a
// list of texts in parentheses.

#include "platform/core/Exception.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dd {

class EFormError : public Exception {
public:
    EFormError(int line, const std::string& message)
        : Exception("Form description, line " + std::to_string(line) + ": " + message),
          line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};

struct FormValue {
    enum class Kind { Integer, String, Identifier, Binary, Strings };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    std::string text; // a String or an Identifier
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> strings;

    // The value as each kind, or EFormError naming `line`.
    std::int64_t Integer(int line) const;
    const std::string& Text(int line) const;
    const std::string& Identifier(int line) const;
    bool Boolean(int line) const;
};

struct FormProperty {
    std::string name;
    FormValue value;
    int line = 0;
};

struct FormObject {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<FormProperty> properties;
    std::vector<FormObject> children;
};

FormObject ParseFormDescription(std::string_view text);

// Writes a description that ParseFormDescription reads back as `object`.
std::string WriteFormDescription(const FormObject& object);

} // namespace dd
