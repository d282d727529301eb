#pragma once

#include <filesystem>
#include <sys/types.h>

namespace dd {

// The screen saver the watcher starts: `program /s`, a process of its own.
class SaverProcess {
public:
    explicit SaverProcess(std::filesystem::path program) : program_(std::move(program)) {}
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;
    // Leaves no saver behind.
    ~SaverProcess() { End(); }

    // Throws std::system_error when no process can be made.
    void Start();
    // Asks it to end, as the system does: without a password.
    void Terminate();
    // Terminates it and waits for it.
    void End();
    // Collects it once it has ended; true when it had.
    bool Reap();
    bool Running() const { return pid_ > 0; }

private:
    std::filesystem::path program_;
    pid_t pid_ = 0;
};

} // namespace dd
