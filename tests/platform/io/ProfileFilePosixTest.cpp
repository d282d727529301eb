// The profile files' guarantees that rest on POSIX: file modes, kills and the XDG folders.

#include "platform/core/Exception.h"
#include "platform/io/ProfileFile.h"
#include "platform/io/SettingsDirectory.h"
#include "tests/platform/io/ProfileFileFixture.h"
#include "tests/support/TempDir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dd {
namespace {

using test::IsolatedEnvironment;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class ProfileFilePosixTest : public test::ProfileFileTest {};

TEST(ProfileFolder, ARelativeConfigHomeIsIgnored) {
    IsolatedEnvironment env;
    ::unsetenv("DRAVELIN_SETTINGS_DIR");
    const char* oldHome = std::getenv("HOME");
    const std::string home = oldHome ? oldHome : "";
    ::setenv("HOME", "/home/someone", 1);
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(SettingsDirectory(), "/home/someone/.config/dravelin-didazi");
    ::setenv("XDG_CONFIG_HOME", "/etc/xdg-user", 1);
    EXPECT_EQ(SettingsDirectory(), "/etc/xdg-user/dravelin-didazi");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", home.c_str(), 1);
}

TEST_F(ProfileFilePosixTest, WritesKilledMidwayLeaveNoTemporaryFileBehind) {
    Write("[S]\nk=0\n");
    const std::string big(200000, 'x'); // long enough to be caught in the middle
    for (int round = 0; round < 150; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                file.WriteString("S", "k", big);
        }
        ::usleep(static_cast<useconds_t>(200 + (round * 37) % 3000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    // A write killed while it writes leaves nothing: the file has no name until it is whole.
    // Only a kill in the moment between naming it and renaming it over the settings leaves a
    // name behind, of a whole file, which a later write removes once it is stale.
    const std::string whole = "[S]\nk=" + big + "\n";
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().filename() != "control.ini") {
            EXPECT_EQ(ReadFile(entry.path()), whole)
                << entry.path().filename() << " was left behind half written";
        }
    }
    const std::string contents = Contents();
    EXPECT_TRUE(contents == "[S]\nk=0\n" || contents == "[S]\nk=" + big + "\n") << "never torn";
}

TEST_F(ProfileFilePosixTest, NewFileIsOnlyForItsOwnerAndExistingModeIsKept) {
    file.WriteString("S", "PWD", "secret");
    struct stat info {};
    ASSERT_EQ(::stat((dir / "control.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ::chmod((dir / "control.ini").c_str(), 0640);
    file.WriteString("S", "PWD", "other");
    ASSERT_EQ(::stat((dir / "control.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// Root ignores permission bits, so the read-only case runs as an unprivileged user in a child.
TEST_F(ProfileFilePosixTest, ReadOnlyFolderRaisesTheErrorAndKeepsTheFile) {
    Write("[S]\nk=old\n");
    ::chmod((dir / "control.ini").c_str(), 0644);
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_EXIT(
        {
            if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                _exit(3);
            try {
                file.WriteString("S", "k", "new");
                _exit(1);
            } catch (const EIniFileException& e) {
                _exit(std::string(e.what()) == "Unable to write to control.ini" ? 0 : 2);
            }
        },
        ::testing::ExitedWithCode(0), "");
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(Contents(), "[S]\nk=old\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace
} // namespace dd
