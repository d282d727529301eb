#pragma once

#include <chrono>

namespace dd {

class TTimer;

using Milliseconds = std::chrono::milliseconds;

// Where timers run and time is read: the host's event loop in the program, virtual time in
// tests. Everything happens on one thread.
class Scheduler {
public:
    virtual ~Scheduler() = default;

    // (Re)starts the countdown of `timer`: it fires `interval` from now, then every `interval`.
    virtual void Schedule(TTimer& timer, Milliseconds interval) = 0;
    virtual void Cancel(TTimer& timer) = 0;

    // Time since the scheduler began; never runs backwards.
    virtual Milliseconds Elapsed() const = 0;
    // The time of day as a fraction of a day, 0 <= t < 1.
    virtual double TimeOfDay() const = 0;
};

} // namespace dd
