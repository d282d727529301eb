#pragma once

#include "platform/time/Scheduler.h"

#include <cstdint>
#include <map>

namespace dd {

// Time that moves only when told to. Due timers fire one at a time in due order (timers due at
// the same moment in the order they were scheduled), on the calling thread; a handler may
// start, stop or re-time any timer, itself included.
class VirtualScheduler : public Scheduler {
public:
    // `startOfDay`: the time of day at elapsed 0, as a day fraction.
    explicit VirtualScheduler(double startOfDay = 0.5) : startOfDay_(startOfDay) {}

    void Schedule(TTimer& timer, Milliseconds interval) override;
    void Cancel(TTimer& timer) override;
    Milliseconds Elapsed() const override { return now_; }
    double TimeOfDay() const override;

    void Advance(Milliseconds duration);
    // Fires the next due timer at once, moving time to it; false when none is scheduled.
    bool RunNext();
    bool HasTimers() const { return !timers_.empty(); }

private:
    struct Entry {
        Milliseconds due;
        Milliseconds interval;
        std::uint64_t order;
    };
    TTimer* NextDue(Milliseconds until) const;
    void FireAt(TTimer* timer);

    double startOfDay_;
    Milliseconds now_{0};
    std::uint64_t nextOrder_ = 0;
    std::map<TTimer*, Entry> timers_;
};

} // namespace dd
