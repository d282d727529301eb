#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dd {

// Top-level windows of the user's running programs, found by title (and class) and sent
// messages with a reply. On POSIX each window registers an endpoint: a Unix socket and a small
// file naming its class and title, in the user's private runtime folder. Endpoints of processes
// that died are skipped and removed by the next search. On Windows these are the system's own
// windows and messages.

struct WindowRef {
    std::filesystem::path socket;
    std::uintptr_t handle = 0; // Windows' window handle
};

using WindowMessageHandler =
    std::function<std::int64_t(std::uint32_t message, std::int64_t wParam, std::int64_t lParam)>;

class WindowEndpoint {
public:
    WindowEndpoint(std::string className, std::string title);
    WindowEndpoint(const WindowEndpoint&) = delete;
    WindowEndpoint& operator=(const WindowEndpoint&) = delete;
    ~WindowEndpoint();

    // False where the folder cannot be used safely; the window then simply cannot be found.
    bool Registered() const { return fd_ >= 0 || window_ != 0; }
    // Readable when a peer is waiting; for the host's event loop.
    int Descriptor() const { return fd_; }
    // Answers every peer that is waiting now. A peer that sends garbage, or nothing within a
    // short time, is dropped without an answer.
    void ServePending(const WindowMessageHandler& handler);

private:
    int fd_ = -1;
    std::filesystem::path socketPath_;
    std::filesystem::path infoPath_;
    std::uintptr_t window_ = 0; // Windows: a hidden window of the class and title
};

// `className` empty matches any class.
std::optional<WindowRef> FindWindow(std::string_view className, std::string_view title);

// The peer's reply; 0 when the peer is gone, answers garbage or does not answer in time.
std::int64_t SendMessage(const WindowRef& window, std::uint32_t message, std::int64_t wParam,
                         std::int64_t lParam,
                         std::chrono::milliseconds timeout = std::chrono::seconds(2));

} // namespace dd
