#include "platform/time/TTimer.h"

namespace dd {

void TTimer::SetInterval(int milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    Update();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Update();
}

void TTimer::Update() {
    if (enabled_ && interval_ > 0)
        scheduler_.Schedule(*this, Milliseconds(interval_));
    else
        scheduler_.Cancel(*this);
}

} // namespace dd
