#pragma once

#include "hosts/win32/MessageWindow.h"
#include "platform/core/ErrorBoundary.h"
#include "platform/time/Scheduler.h"

#include <chrono>
#include <map>

namespace dd {

// Timers on WM_TIMER of the thread's message loop; they keep firing inside modal dialogs'
// loops, which dispatch the same messages.
class Win32Scheduler : public Scheduler {
public:
    Win32Scheduler();
    ~Win32Scheduler() override;

    void Schedule(TTimer& timer, Milliseconds interval) override;
    void Cancel(TTimer& timer) override;
    Milliseconds Elapsed() const override;
    double TimeOfDay() const override;

    // Gets what a timer's handler throws.
    ErrorHandler OnError;

private:
    void Fire(UINT_PTR id);

    std::chrono::steady_clock::time_point start_;
    MessageWindow window_;
    UINT_PTR lastId_ = 0;
    std::map<TTimer*, UINT_PTR> ids_;
    std::map<UINT_PTR, TTimer*> timers_;
};

} // namespace dd
