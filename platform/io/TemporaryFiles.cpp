#include "platform/io/TemporaryFiles.h"

#include <chrono>
#include <random>
#include <system_error>

namespace dd {
namespace {

constexpr std::size_t kSuffixLength = 6;
constexpr auto kStaleAfter = std::chrono::minutes(1);

} // namespace

std::string TemporaryPrefix(const std::filesystem::path& path) {
    // Appended, not "." + name: GCC 12 at -O3 warns falsely about the latter.
    std::string prefix = ".";
    prefix += path.filename().string();
    prefix += ".";
    return prefix;
}

std::string UniqueSuffix() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::string suffix(kSuffixLength, 'a');
    for (char& c : suffix)
        c = kLetters[device() % (sizeof kLetters - 1)];
    return suffix;
}

void RemoveStaleTemporaries(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    const std::string prefix = TemporaryPrefix(path);
    std::error_code ec;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + kSuffixLength ||
            name.compare(0, prefix.size(), prefix) != 0 || !it->is_regular_file(ec))
            continue;
        const auto written = it->last_write_time(ec);
        if (!ec && now - written > kStaleAfter)
            std::filesystem::remove(it->path(), ec);
    }
}

} // namespace dd
