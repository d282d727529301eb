#include "watcher/SaverProcess.h"

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

extern char** environ;

namespace dd {

void SaverProcess::Start() {
    std::string program = program_.string();
    std::string mode = "/s";
    char* arguments[] = {program.data(), mode.data(), nullptr};
    // The watcher's own signal mask (it takes its signals through a descriptor) is not the
    // saver's.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    const int error = posix_spawn(&pid_, program.c_str(), nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        pid_ = 0;
        throw std::system_error(error, std::generic_category(), "cannot start " + program);
    }
}

void SaverProcess::Terminate() {
    if (pid_ > 0)
        ::kill(pid_, SIGTERM);
}

void SaverProcess::End() {
    if (pid_ <= 0)
        return;
    Terminate();
    // A saver ends at once on SIGTERM; one that hangs is not let keep the watcher.
    for (int tries = 0; tries < 50 && !Reap(); ++tries)
        ::usleep(100'000);
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = 0;
}

bool SaverProcess::Reap() {
    if (pid_ <= 0 || ::waitpid(pid_, nullptr, WNOHANG) != pid_)
        return false;
    pid_ = 0;
    return true;
}

} // namespace dd
