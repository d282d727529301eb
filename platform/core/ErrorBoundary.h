#pragma once

#include <exception>
#include <functional>

namespace dd {

// Where the program's errors stop: an event loop (Qt's, or Windows' through a window procedure)
// cannot carry an exception, so whatever a timer or an event handler throws goes to this
// handler instead.
using ErrorHandler = std::function<void(const std::exception&)>;

// Runs `work`; an exception it throws goes to `onError`, or, without one, ends the program
// as an uncaught exception would.
template <typename Work> void RunGuarded(Work&& work, const ErrorHandler& onError) {
    try {
        work();
    } catch (const std::exception& e) {
        if (!onError)
            throw;
        onError(e);
    }
}

} // namespace dd
