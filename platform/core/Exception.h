#pragma once

#include <stdexcept>
#include <string>

namespace dd {

// Base of every error the program raises; `what()` is the class library's message text.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

class EStreamError : public Exception {
public:
    EStreamError() : Exception("Stream read error") {}
};

class EInvalidGraphic : public Exception {
public:
    EInvalidGraphic() : Exception("Bitmap image is not valid") {}
};

class EListError : public Exception {
public:
    EListError() : Exception("List index out of bounds") {}
};

class EConvertError : public Exception {
public:
    EConvertError(const std::string& source, const std::string& target)
        : Exception("Cannot assign a " + source + " to a " + target) {}
};

class EDivByZero : public Exception {
public:
    EDivByZero() : Exception("Division by zero") {}
};

class EIniFileException : public Exception {
public:
    explicit EIniFileException(const std::string& fileName)
        : Exception("Unable to write to " + fileName) {}
};

} // namespace dd
