#pragma once

#include <functional>
#include <string>

namespace dd {

// Where the watcher learns that the session has been idle for its delay: the desktop's own
// idle notifications, which it waits for on a file descriptor without polling.
class IdleSource {
public:
    virtual ~IdleSource() = default;

    // What the source is, for the watcher's log.
    virtual std::string Name() const = 0;
    // To wait on for the source's news.
    virtual int Descriptor() const = 0;
    // Sends what waits to be sent; called before each wait.
    virtual void Flush() = 0;
    // Handles what has arrived; false once the session has gone (its display or bus).
    virtual bool Dispatch() = 0;
    // Reports idleness next after the whole delay from now without input, where the desktop
    // lets a client count again; elsewhere only after input and a new idle period.
    virtual void CountAgain() {}

    // The session has been idle for the whole delay; reported once a spell of idleness.
    std::function<void()> OnIdle;
    // Something that happened to the source, worth a line in the log.
    std::function<void(const std::string&)> OnNote;
};

} // namespace dd
