#include "hosts/win32/Win32Scheduler.h"

#include "platform/time/TTimer.h"

namespace dd {

Win32Scheduler::Win32Scheduler()
    : start_(std::chrono::steady_clock::now()),
      window_([this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
          if (message != WM_TIMER)
              return std::nullopt;
          Fire(wParam);
          return 0;
      }) {}

Win32Scheduler::~Win32Scheduler() {
    for (const auto& [id, timer] : timers_)
        ::KillTimer(window_.Handle(), id);
}

void Win32Scheduler::Schedule(TTimer& timer, Milliseconds interval) {
    auto [it, added] = ids_.try_emplace(&timer, 0);
    if (added) {
        it->second = ++lastId_;
        timers_[it->second] = &timer;
    }
    // Setting a window's timer again under its id restarts the countdown.
    ::SetTimer(window_.Handle(), it->second, static_cast<UINT>(interval.count()), nullptr);
}

void Win32Scheduler::Cancel(TTimer& timer) {
    const auto it = ids_.find(&timer);
    if (it == ids_.end())
        return;
    ::KillTimer(window_.Handle(), it->second);
    timers_.erase(it->second);
    ids_.erase(it);
}

Milliseconds Win32Scheduler::Elapsed() const {
    return std::chrono::duration_cast<Milliseconds>(std::chrono::steady_clock::now() - start_);
}

double Win32Scheduler::TimeOfDay() const {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const double ms =
        ((now.wHour * 60.0 + now.wMinute) * 60.0 + now.wSecond) * 1000.0 + now.wMilliseconds;
    return ms / 86'400'000.0;
}

void Win32Scheduler::Fire(UINT_PTR id) {
    const auto it = timers_.find(id);
    if (it == timers_.end())
        return; // cancelled while its message waited
    TTimer* timer = it->second;
    RunGuarded([timer] { timer->Fire(); }, OnError);
}

} // namespace dd
