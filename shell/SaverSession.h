#pragma once

// The screen saver's life, the same in every host: the saver window and its start with the
// fatal path, the field on one monitor at the largest scale that fits and black over every
// other, the input rules of each window, failure, the orderly stop, the end by signal and the
// exit status.

#include "platform/io/ProfileFile.h"
#include "platform/time/Random.h"
#include "platform/time/Scheduler.h"
#include "shell/SaverHost.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace dd {

class TfrmMain;

class SaverSession {
public:
    SaverSession(SaverHost& host, ProfileFile settings, Scheduler& scheduler,
                 RandomGenerator& random);
    ~SaverSession();

    // Creates the saver window and shows the field; a failure is shown and ends the session.
    void Start();
    // Monitors came, went or changed size. The field stays on its monitor while that remains,
    // and moves to the primary one otherwise.
    void MonitorsChanged();
    // The system asks the saver to end: no password is asked for.
    void EndBySignal();
    // An error reached the message loop: it is shown once, and the saver stops in order.
    void Fail(const std::exception& error);

    // The saver has asked the host to quit; the message loop need not run.
    bool QuitPosted() const;
    // The exit status once the message loop returned `loopStatus`.
    int ExitStatus(int loopStatus) const { return failed_ ? 1 : loopStatus; }
    // The saver window's caption; empty until it exists.
    std::string Caption() const;

private:
    struct Shown {
        TMonitor monitor;
        std::unique_ptr<TSaverWindow> window;
    };

    void Create();
    // Places the field and the covers on `monitors`; `force` shows every window again.
    void Arrange(const std::vector<TMonitor>& monitors, bool force);
    // Opens a cover on each monitor that has none and shows nothing of the field.
    void CoverTheRest(const std::vector<TMonitor>& monitors);
    // The saver window's input rules for a window over `area`.
    HostEvents EventsAt(const TRect& area);

    SaverHost& host_;
    ProfileFile settings_;
    Scheduler& scheduler_;
    RandomGenerator& random_;
    std::unique_ptr<TfrmMain> main_;
    Shown field_;
    std::vector<Shown> covers_;
    bool failed_ = false;
    bool ended_ = false; // quit before the saver window existed
};

} // namespace dd
