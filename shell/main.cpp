#include "shell/Entry.h"

#include <string>
#include <vector>

namespace {

// The windows of the modes are not built yet: every mode ends after the entry's checks.
class NoWindowsYet : public dd::ModeWindows {
public:
    void CreateWindows(dd::RunMode) override {}
    int RunMessageLoop() override { return 0; }
};

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    NoWindowsYet windows;
    return dd::RunEntry(arguments, windows);
}
