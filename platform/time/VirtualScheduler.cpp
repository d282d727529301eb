#include "platform/time/VirtualScheduler.h"

#include "platform/time/TTimer.h"

#include <cmath>

namespace dd {

void VirtualScheduler::Schedule(TTimer& timer, Milliseconds interval) {
    timers_[&timer] = Entry{now_ + interval, interval, nextOrder_++};
}

void VirtualScheduler::Cancel(TTimer& timer) {
    timers_.erase(&timer);
}

double VirtualScheduler::TimeOfDay() const {
    const double day = startOfDay_ + static_cast<double>(now_.count()) / 86'400'000.0;
    return day - std::floor(day);
}

TTimer* VirtualScheduler::NextDue(Milliseconds until) const {
    TTimer* best = nullptr;
    const Entry* bestEntry = nullptr;
    for (const auto& [timer, entry] : timers_) {
        if (entry.due > until)
            continue;
        if (!bestEntry || entry.due < bestEntry->due ||
            (entry.due == bestEntry->due && entry.order < bestEntry->order)) {
            best = timer;
            bestEntry = &entry;
        }
    }
    return best;
}

void VirtualScheduler::FireAt(TTimer* timer) {
    Entry& entry = timers_.at(timer);
    now_ = entry.due;
    entry.due = now_ + entry.interval;
    entry.order = nextOrder_++;
    timer->Fire();
}

void VirtualScheduler::Advance(Milliseconds duration) {
    const Milliseconds target = now_ + duration;
    while (TTimer* timer = NextDue(target))
        FireAt(timer);
    now_ = target;
}

bool VirtualScheduler::RunNext() {
    TTimer* timer = NextDue(Milliseconds::max());
    if (!timer)
        return false;
    FireAt(timer);
    return true;
}

} // namespace dd
