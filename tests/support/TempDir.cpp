#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace dd::test {
namespace {

std::string GetEnv(const char* name, bool& present) {
    const char* value = std::getenv(name);
    present = value != nullptr;
    return value ? value : "";
}

void RestoreEnv(const char* name, const std::string& value, bool present) {
    if (present)
        ::setenv(name, value.c_str(), 1);
    else
        ::unsetenv(name);
}

} // namespace

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "dd-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

IsolatedEnvironment::IsolatedEnvironment()
    : oldSettings_(GetEnv("DRAVELIN_SETTINGS_DIR", hadSettings_)),
      oldRuntime_(GetEnv("XDG_RUNTIME_DIR", hadRuntime_)) {
    ::setenv("DRAVELIN_SETTINGS_DIR", settings_.path().c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
}

IsolatedEnvironment::~IsolatedEnvironment() {
    RestoreEnv("DRAVELIN_SETTINGS_DIR", oldSettings_, hadSettings_);
    RestoreEnv("XDG_RUNTIME_DIR", oldRuntime_, hadRuntime_);
}

void WriteFile(const std::filesystem::path& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace dd::test
