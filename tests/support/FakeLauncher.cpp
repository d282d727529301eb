#include "tests/support/FakeLauncher.h"

#include "shell/Entry.h"

#include <poll.h>

namespace dd::test {

FakeLauncher::FakeLauncher(std::int64_t reply, Behaviour behaviour)
    : endpoint_(std::string(kLauncherClass), std::string(kLauncherTitle)), reply_(reply),
      behaviour_(behaviour), thread_([this] { Serve(); }) {}

FakeLauncher::~FakeLauncher() {
    stop_ = true;
    thread_.join();
}

void FakeLauncher::Serve() {
    while (!stop_) {
        if (behaviour_ == Behaviour::Hang) {
            ::poll(nullptr, 0, 10);
            continue;
        }
        pollfd p{endpoint_.Descriptor(), POLLIN, 0};
        if (::poll(&p, 1, 10) > 0)
            endpoint_.ServePending([this](std::uint32_t message, std::int64_t, std::int64_t) {
                ++received_;
                return message == kLauncherMessage ? reply_ : 0;
            });
    }
}

} // namespace dd::test
