#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace dd {

// Turns SIGTERM, SIGINT and SIGHUP (how daemons, idle runners and session managers stop a
// program) into a call on the event loop, where the program can stop in order. One at a time.
class SignalWatcher {
public:
    explicit SignalWatcher(std::function<void()> onSignal);
    SignalWatcher(const SignalWatcher&) = delete;
    SignalWatcher& operator=(const SignalWatcher&) = delete;
    ~SignalWatcher();

private:
    int fds_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onSignal_;
};

} // namespace dd
