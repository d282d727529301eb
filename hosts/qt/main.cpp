#include "hosts/qt/DisplayCheck.h"
#include "hosts/qt/QtHost.h"
#include "shell/Entry.h"

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The idle watcher beside the program in a build tree, or in the installed tree's libexec.
std::filesystem::path IdleWatcher(const std::filesystem::path& self) {
    const std::filesystem::path beside = self.parent_path() / "dravelin-didazi-idle";
    if (std::filesystem::exists(beside))
        return beside;
    return self.parent_path().parent_path() / "libexec" / "dravelin-didazi" /
           "dravelin-didazi-idle";
}

// --idle DELAY is the idle watcher's, a program of its own without the widget toolkit, told
// which saver to start: exec keeps this process, which a service manager may be watching, as
// the watcher.
[[noreturn]] void HandOverToIdleWatcher(int argc, char** argv) {
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string watcher = IdleWatcher(self).string();
    std::vector<char*> arguments{const_cast<char*>(watcher.c_str()), self.data()};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    arguments.push_back(nullptr);
    execv(watcher.c_str(), arguments.data());
    std::cerr << "dravelin-didazi --idle: cannot start " << watcher << ": " << std::strerror(errno)
              << "\n";
    std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--idle") == 0 || std::strcmp(argv[1], "-idle") == 0))
        HandOverToIdleWatcher(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const dd::Invocation invocation =
        dd::InvocationFromArguments(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (const std::string problem = dd::DisplayProblem(); !problem.empty()) {
        std::cerr << problem << "\n";
        return 1;
    }
    QApplication application(argc, argv);
    dd::QtHost host;
    return dd::RunEntry(invocation, host);
}
