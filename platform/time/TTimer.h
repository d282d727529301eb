#pragma once

#include "platform/time/Scheduler.h"

#include <functional>

namespace dd {

// A window-message timer: fires OnTimer every Interval milliseconds while Enabled. An interval
// of 0 never fires. Enabling it, or changing its interval, restarts the countdown.
class TTimer {
public:
    explicit TTimer(Scheduler& scheduler) : scheduler_(scheduler) {}
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;
    ~TTimer() { scheduler_.Cancel(*this); }

    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Tag = 0;
    std::function<void()> OnTimer;

    // Called by the scheduler when the timer is due.
    void Fire() {
        if (enabled_ && OnTimer)
            OnTimer();
    }

private:
    void Update();

    Scheduler& scheduler_;
    int interval_ = 1000;
    bool enabled_ = false;
};

} // namespace dd
