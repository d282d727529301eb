#pragma once

#include "platform/io/WindowDirectory.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace dd::test {

// Plays the external launcher window ("TfrmStartScreensaver", "StartScreensaver") on a thread
// of its own, answering message 1127 with a chosen value; or, when told to hang, accepting
// connections without ever answering.
class FakeLauncher {
public:
    enum class Behaviour { Answer, Hang };

    explicit FakeLauncher(std::int64_t reply, Behaviour behaviour = Behaviour::Answer);
    FakeLauncher(const FakeLauncher&) = delete;
    FakeLauncher& operator=(const FakeLauncher&) = delete;
    ~FakeLauncher();

    int messagesReceived() const { return received_; }

private:
    void Serve();

    WindowEndpoint endpoint_;
    std::int64_t reply_;
    Behaviour behaviour_;
    std::atomic<bool> stop_{false};
    std::atomic<int> received_{0};
    std::thread thread_;
};

} // namespace dd::test
