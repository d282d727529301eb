#include "platform/io/WindowDirectory.h"

#include "platform/posix/RuntimeFolder.h"
#include "tests/support/TempDir.h"

#include <cstring>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace dd {
namespace {

using namespace std::chrono_literals;

TEST(WindowDirectory, FindsWindowsByTitleAloneOrByClassAndTitleInAFolderClosedToOthers) {
    test::IsolatedEnvironment env;
    EXPECT_FALSE(FindWindow("", "Title"));
    {
        WindowEndpoint window("TMyClass", "Title");
        ASSERT_TRUE(window.Registered());
        struct stat info {};
        ASSERT_EQ(::stat(WindowDirectory().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_TRUE(FindWindow("", "Title"));
        EXPECT_TRUE(FindWindow("TMyClass", "Title"));
        EXPECT_FALSE(FindWindow("TOther", "Title"));
        EXPECT_FALSE(FindWindow("", "title"));
        EXPECT_FALSE(FindWindow("", "Title "));
    }
    EXPECT_FALSE(FindWindow("", "Title"));
}

TEST(WindowDirectory, EndpointsOfDeadProcessesAreIgnoredAndRemoved) {
    test::IsolatedEnvironment env;
    pid_t child = ::fork();
    if (child == 0) {
        // Leaves its endpoint behind as a crash would.
        new WindowEndpoint("C", "Left Behind");
        _exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(std::distance(std::filesystem::directory_iterator(WindowDirectory()), {}), 2);
    EXPECT_FALSE(FindWindow("", "Left Behind"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(WindowDirectory()), {}), 0);
}

TEST(WindowDirectory, MessagesGetTheHandlersReply) {
    test::IsolatedEnvironment env;
    WindowEndpoint window("C", "T");
    // FindWindow's liveness probe is a connection too, so one pass may see only that: serve
    // until the message itself has been answered, as a window's event loop would.
    std::thread server([&] {
        bool answered = false;
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (!answered && std::chrono::steady_clock::now() < deadline) {
            pollfd p{window.Descriptor(), POLLIN, 0};
            ::poll(&p, 1, 100);
            window.ServePending([&](std::uint32_t m, std::int64_t w, std::int64_t l) {
                answered = true;
                return static_cast<std::int64_t>(m) * 100 + w * 10 + l;
            });
        }
    });
    auto ref = FindWindow("C", "T");
    ASSERT_TRUE(ref);
    EXPECT_EQ(SendMessage(*ref, 1127, 2, 3), 112723);
    server.join();
}

TEST(WindowDirectory, APeerThatNeverAnswersCountsAsZeroAfterTheTimeout) {
    test::IsolatedEnvironment env;
    WindowEndpoint window("C", "T");
    auto ref = FindWindow("C", "T");
    ASSERT_TRUE(ref);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessage(*ref, 1, 0, 0, 150ms), 0);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 100ms) << "gave up before the peer had its time";
    EXPECT_LT(waited, 2s);
}

TEST(WindowDirectory, GarbageFromAPeerIsDropped) {
    test::IsolatedEnvironment env;
    WindowEndpoint window("C", "T");
    test::WriteFile(WindowDirectory() / "junk.info", std::string(10000, '\n'));
    test::WriteFile(WindowDirectory() / "bad.info", "no newline");
    EXPECT_FALSE(FindWindow("", "no newline"));
    auto ref = FindWindow("C", "T");
    ASSERT_TRUE(ref);
    std::thread garbage([&] {
        // A peer sending the wrong bytes gets no reply and does not disturb the next one.
        int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, ref->socket.c_str(), sizeof address.sun_path - 1);
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        const char junk[64] = "not a message at all, just some bytes";
        ::send(fd, junk, sizeof junk, MSG_NOSIGNAL);
        ::close(fd);
    });
    garbage.join();
    int calls = 0;
    window.ServePending([&](std::uint32_t, std::int64_t, std::int64_t) { return ++calls; });
    EXPECT_EQ(calls, 0);
}

} // namespace
} // namespace dd
