#pragma once

// The screen saver's life, the same in every host: the saver window and its start with the
// fatal path, the field on one monitor at the largest scale that fits and black over every
// other, the input rules of each window, failure, the orderly stop, the end by signal and the
// exit status.

#include "platform/io/ProfileFile.h"
#include "platform/time/Random.h"
#include "platform/time/Scheduler.h"
#include "shell/RunEnd.h"
#include "shell/SaverHost.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace dd {

class TfrmMain;

class SaverSession : public SaverInput {
public:
    SaverSession(SaverHost& host, ProfileFile settings, Scheduler& scheduler,
                 RandomGenerator& random);
    ~SaverSession() override;

    // Creates the saver window and shows the field; a failure is shown and ends the session.
    void Start();

    // SaverInput: keys go to the saver window whichever window has them; a pointer position in
    // a cover lies outside the field's window, so any movement there ends the demonstration.
    void KeyDown(int key) override;
    void KeyUp(int key) override;
    void Character(char key) override;
    void PointerMoved(const TSaverWindow& window, TPoint at) override;
    void Clicked(const TSaverWindow& window, TPoint at) override;
    bool CloseRequested() override;
    bool SystemCommand(unsigned command) override;
    // The field stays on its monitor while that remains, and moves to the primary one otherwise.
    void MonitorsChanged() override;
    void WindowGone() override { EndBySignal(); }
    void EndBySignal() override;
    // Shown once, and the saver stops in order.
    void Fail(const std::exception& error) override;

    // The saver has asked the host to quit; the message loop need not run.
    bool QuitPosted() const;
    // The exit status once the message loop returned `loopStatus`.
    int ExitStatus(int loopStatus) const { return end_.ExitStatus(loopStatus); }
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
    // `at` in `window` as a position on the field's monitor.
    TPoint OnFieldMonitor(const TSaverWindow& window, TPoint at) const;
    // Runs `work` on the saver window, if there is one; what it throws fails the session.
    template <typename Work> void Guarded(Work&& work);
    // Closes a window no longer needed; while an event of a host's window is being handled
    // (a password prompt's loop may run inside one), only once that is over.
    void Retire(std::unique_ptr<TSaverWindow> window);
    // Shows the field anew on a monitor of another size: the same surface at the scale that
    // fits it.
    void Refit();

    SaverHost& host_;
    ProfileFile settings_;
    Scheduler& scheduler_;
    RandomGenerator& random_;
    RunEnd end_;
    Shown field_;
    std::vector<Shown> covers_;
    std::vector<std::unique_ptr<TSaverWindow>> retired_;
    int handling_ = 0; // events of host windows being handled, one inside another
    SurfacePlacement placement_;
    // Last, so that it goes first: while it goes it may still present to the field's window.
    std::unique_ptr<TfrmMain> main_;
};

} // namespace dd
