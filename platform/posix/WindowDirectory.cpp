#include "platform/io/WindowDirectory.h"

#include "platform/io/AtomicFile.h"
#include "platform/io/WindowMessage.h"
#include "platform/posix/RuntimeFolder.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace dd {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kServeReadLimit = std::chrono::milliseconds(200);

class Socket {
public:
    explicit Socket(int fd = -1) : fd_(fd) {}
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

int RemainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        int n = ::poll(&p, 1, RemainingMs(deadline));
        if (n < 0 && errno == EINTR)
            continue;
        return n > 0 && (p.revents & events);
    }
}

bool TransferAll(int fd, void* data, std::size_t size, bool sending, Clock::time_point deadline) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        if (!WaitFor(fd, sending ? POLLOUT : POLLIN, deadline))
            return false;
        ssize_t n = sending ? ::send(fd, bytes, size, MSG_NOSIGNAL) : ::recv(fd, bytes, size, 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<sockaddr_un> AddressOf(const std::filesystem::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& text = path.native();
    if (text.size() >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return address;
}

enum class ConnectResult { Connected, Gone, Failed };

ConnectResult ConnectTo(const Socket& socket, const std::filesystem::path& path,
                        Clock::time_point deadline) {
    auto address = AddressOf(path);
    if (!address)
        return ConnectResult::Failed;
    for (;;) {
        if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&*address),
                      sizeof *address) == 0)
            return ConnectResult::Connected;
        if (errno == ECONNREFUSED || errno == ENOENT)
            return ConnectResult::Gone;
        if (errno == EINPROGRESS)
            return WaitFor(socket.get(), POLLOUT, deadline) ? ConnectResult::Connected
                                                            : ConnectResult::Failed;
        if ((errno != EAGAIN && errno != EINTR) || RemainingMs(deadline) == 0)
            return ConnectResult::Failed;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool OwnedSocket(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_uid == ::getuid();
}

std::optional<WindowIdentity> ReadIdentity(const std::filesystem::path& info) {
    struct stat st {};
    if (::lstat(info.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid() ||
        static_cast<std::size_t>(st.st_size) > kMaxIdentitySize)
        return std::nullopt;
    std::string text;
    try {
        text = ReadWholeFile(info);
    } catch (const std::system_error&) {
        return std::nullopt;
    }
    return ParseIdentity(text);
}

bool IsAlive(const std::filesystem::path& socketPath) {
    Socket probe(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    return probe.get() >= 0 && ConnectTo(probe, socketPath, Clock::now()) != ConnectResult::Gone;
}

std::atomic<unsigned> endpointCounter{0};

} // namespace

WindowEndpoint::WindowEndpoint(std::string className, std::string title) {
    std::filesystem::path dir = WindowDirectory();
    const auto identity = FormatIdentity({std::move(className), std::move(title)});
    if (!identity || !PrepareWindowDirectory(dir))
        return;
    std::string stem = std::to_string(::getpid()) + "-" + std::to_string(++endpointCounter);
    socketPath_ = dir / (stem + ".sock");
    infoPath_ = dir / (stem + ".info");
    auto address = AddressOf(socketPath_);
    if (!address)
        return;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    ::unlink(socketPath_.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
        ::listen(fd, 16) != 0) {
        ::close(fd);
        return;
    }
    try {
        ReplaceFileAtomically(infoPath_, *identity, 0600);
    } catch (const std::system_error&) {
        ::close(fd);
        ::unlink(socketPath_.c_str());
        return;
    }
    fd_ = fd;
}

WindowEndpoint::~WindowEndpoint() {
    if (fd_ < 0)
        return;
    ::unlink(infoPath_.c_str());
    ::unlink(socketPath_.c_str());
    ::close(fd_);
}

void WindowEndpoint::ServePending(const WindowMessageHandler& handler) {
    if (fd_ < 0)
        return;
    for (;;) {
        Socket peer(::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (peer.get() < 0)
            return;
        std::array<std::uint8_t, kRequestSize> bytes{};
        if (!TransferAll(peer.get(), bytes.data(), bytes.size(), false,
                         Clock::now() + kServeReadLimit))
            continue;
        const auto request = DecodeRequest(bytes);
        if (!request)
            continue;
        auto reply = EncodeReply(handler(request->message, request->wParam, request->lParam));
        TransferAll(peer.get(), reply.data(), reply.size(), true, Clock::now() + kServeReadLimit);
    }
}

std::optional<WindowRef> FindWindow(std::string_view className, std::string_view title) {
    std::filesystem::path dir = WindowDirectory();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& info = it->path();
        if (info.extension() != ".info")
            continue;
        std::filesystem::path socketPath = info;
        socketPath.replace_extension(".sock");
        auto identity = ReadIdentity(info);
        if (!identity || identity->title != title ||
            (!className.empty() && identity->className != className))
            continue;
        if (!OwnedSocket(socketPath) || !IsAlive(socketPath)) {
            ::unlink(socketPath.c_str());
            ::unlink(info.c_str());
            continue;
        }
        return WindowRef{socketPath};
    }
    return std::nullopt;
}

std::int64_t SendMessage(const WindowRef& window, std::uint32_t message, std::int64_t wParam,
                         std::int64_t lParam, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    if (!OwnedSocket(window.socket))
        return 0;
    Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.get() < 0 || ConnectTo(socket, window.socket, deadline) != ConnectResult::Connected)
        return 0;
    auto request = EncodeRequest({message, wParam, lParam});
    std::array<std::uint8_t, kReplySize> reply{};
    if (!TransferAll(socket.get(), request.data(), request.size(), true, deadline) ||
        !TransferAll(socket.get(), reply.data(), reply.size(), false, deadline))
        return 0;
    return DecodeReply(reply).value_or(0);
}

} // namespace dd
