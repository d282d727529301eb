#pragma once

#include "shell/SaverHost.h"

#include <exception>

namespace dd {

// How a run ends, the same in every host and mode: the first error that reaches the message
// loop is shown and makes the exit status 1, later ones are dropped (timers go on behind the
// message box and may fail again); the message loop is asked to end once.
class RunEnd {
public:
    explicit RunEnd(SaverHost& host) : host_(host) {}

    // Shows `error` unless one was shown; true the first time.
    bool Fail(const std::exception& error);
    void Quit();
    bool QuitPosted() const { return quitPosted_; }
    int ExitStatus(int loopStatus) const { return failed_ ? 1 : loopStatus; }

private:
    SaverHost& host_;
    bool failed_ = false;
    bool quitPosted_ = false;
};

} // namespace dd
