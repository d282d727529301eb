// Hostile files and environments: nothing crashes, nothing is lost, and every case ends either
// in safe use, a clear error or the specified fallback.

#include "platform/core/Exception.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/ProfileFile.h"
#include "platform/io/WaveFile.h"
#include "platform/io/WindowDirectory.h"
#include "platform/posix/RuntimeFolder.h"
#include "platform/time/VirtualScheduler.h"
#include "shell/Settings.h"
#include "shell/UMain.h"
#include "tests/support/FakeSaverHost.h"
#include "tests/support/TempDir.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace dd {
namespace {

namespace fs = std::filesystem;
constexpr std::string_view kSection = "ScreenSaver.Zeilen";

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(gen() & 0xFF);
    return bytes;
}

class HostileSettings : public ::testing::Test {
protected:
    fs::path Ini() const { return env.settings() / "control.ini"; }
    ProfileFile File() const { return ProfileFile(env.settings(), "control.ini"); }
    test::IsolatedEnvironment env;
};

TEST_F(HostileSettings, AHundredMegabytesOfGarbageReadAsDefaultsAndSurviveAWrite) {
    const std::string garbage = RandomBytes(100u << 20, 1);
    test::WriteFile(Ini(), garbage);
    const SaverSettings s = ReadSaverSettings(File());
    EXPECT_FALSE(s.followStar);
    File().WriteString(kSection, "PWD", "kept");
    const std::string after = test::ReadFile(Ini());
    ASSERT_GE(after.size(), garbage.size());
    EXPECT_EQ(after.compare(0, garbage.size(), garbage), 0) << "the garbage is kept byte for byte";
    EXPECT_EQ(File().ReadString(kSection, "PWD", ""), "kept");
}

TEST_F(HostileSettings, BinaryAndNulBytesAreKeptAndTheRestStillReads) {
    const std::string text = std::string("[ScreenSaver.Zeilen]\nSound=1\n\0\0\xff\xfe\x01\n", 36) +
                             "Picture=3\n[Other]\nx=\x00y\n";
    test::WriteFile(Ini(), text);
    EXPECT_TRUE(File().ReadBool(kSection, "Sound", false));
    const int picture = File().ReadInteger(kSection, "Picture", 0);
    EXPECT_TRUE(picture == 0 || picture == 3) << "text after a NUL byte may count as gone";
    File().WriteBool(kSection, "FollowStar", true);
    const std::string after = test::ReadFile(Ini());
    EXPECT_NE(after.find(std::string("\0\0\xff\xfe\x01", 5)), std::string::npos);
    EXPECT_TRUE(File().ReadBool(kSection, "FollowStar", false));
}

TEST_F(HostileSettings, AMillionCharacterLineIsCutToTheValueLimit) {
    test::WriteFile(Ini(),
                    "[ScreenSaver.Zeilen]\nHome=" + std::string(1'000'000, 'a') + "\nSound=1\n");
    const SaverSettings s = ReadSaverSettings(File());
    EXPECT_EQ(s.homeDir.size(), ProfileFile::kMaxValueLength + 1) << "cut, then the backslash";
    EXPECT_TRUE(s.sound);
}

TEST_F(HostileSettings, APipeInPlaceOfTheFileNeitherHangsNorIsReplaced) {
    ASSERT_EQ(::mkfifo(Ini().c_str(), 0600), 0);
    EXPECT_EQ(File().ReadString(kSection, "PWD", "default"), "default");
    EXPECT_THROW(File().WriteString(kSection, "PWD", "x"), EIniFileException);
    EXPECT_TRUE(fs::is_fifo(Ini()));
}

TEST_F(HostileSettings, ADiskThatRunsFullDuringAWriteLeavesTheFileAsItWas) {
    const std::string before = "[Other]\nkeep=" + std::string(3000, 'k') + "\n";
    test::WriteFile(Ini(), before);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 1024; // every file written from here on is full at 1 kB
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool refused = false;
    try {
        File().WriteString(kSection, "PWD", "new");
    } catch (const EIniFileException&) {
        refused = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_TRUE(refused);
    EXPECT_EQ(test::ReadFile(Ini()), before);
    int leftovers = 0;
    for (const auto& entry : fs::directory_iterator(env.settings()))
        leftovers += entry.path().filename() != "control.ini";
    EXPECT_EQ(leftovers, 0) << "no temporary file is left behind";
}

TEST_F(HostileSettings, WritesStayWholeWhileAnotherProgramReplacesTheFile) {
    const std::string theirs = "[Other]\nowner=them\n";
    test::WriteFile(Ini(), theirs);
    std::atomic<bool> done{false};
    std::thread other([&] {
        while (!done)
            ReplaceFileAtomically(Ini(), theirs, 0600);
    });
    int torn = 0;
    for (int i = 0; i < 300; ++i) {
        File().WriteString(kSection, "PWD", std::string(200, static_cast<char>('a' + i % 26)));
        const std::string now = test::ReadFile(Ini());
        const bool oursWhole =
            now.find("[ScreenSaver.Zeilen]") != std::string::npos &&
            now.ends_with(std::string(200, static_cast<char>('a' + i % 26)) + "\n");
        torn += !(now == theirs || oursWhole);
    }
    done = true;
    other.join();
    EXPECT_EQ(torn, 0) << "a reader only ever sees one whole file or the other";
}

TEST_F(HostileSettings, HostileRegistryFilesKeepTheStoredPasswordInForce) {
    test::WriteFile(Ini(), "[ScreenSaver.Zeilen]\nPWD=secret\n");
    const std::string key = "[HKEY_CURRENT_USER\\Control Panel\\desktop]\n";
    const std::string cases[] = {
        RandomBytes(4096, 7),
        key + "\"ScreenSaveUsePassword\"=\"0\"\n",
        key + "\"ScreenSaveUsePassword\"=hex:00,00,00,00\n",
        key + "\"ScreenSaveUsePassword\"=dword:fffffffffff0\n",
        key + "\"ScreenSaveUsePassword\"=dword:" + std::string(1'000'000, '0') + "\n",
        key + "\"ScreenSaveUsePassword\"=dword:\n",
        std::string("\0\0\0", 3) + key + "\"ScreenSaveUsePassword\"=dword:zz\n"};
    for (const std::string& text : cases) {
        test::WriteFile(env.settings() / "user.reg", text);
        EXPECT_EQ(PasswordInForce(File(), DesktopPasswordFlag()), "secret") << text.substr(0, 80);
    }
}

// A data folder with the bundled files, one of which the test then spoils.
class HostileData : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& entry : fs::directory_iterator(DRAVELIN_DATA_DIR))
            fs::copy(entry.path(), data.path() / entry.path().filename());
    }
    // Starts the saver on the spoiled folder with background `picture`; true when it sails.
    bool Sails(int picture) {
        test::WriteFile(env.settings() / "control.ini",
                        "[ScreenSaver.Zeilen]\nHome=" + data.path().string() +
                            "\nPicture=" + std::to_string(picture) + "\n");
        test::FakeSaverHost platform;
        VirtualScheduler clock;
        RandomGenerator random;
        TfrmMain saver(platform, platform.OneToOne(), test::SettingsIn(env), clock, random);
        saver.Show();
        clock.Advance(Milliseconds(20'000));
        if (!saver.Game) {
            EXPECT_EQ(platform.messages.size(), 1u);
            EXPECT_TRUE(platform.quitPosted);
            return false;
        }
        EXPECT_TRUE(platform.messages.empty());
        return true;
    }
    void Replace(const std::string& name, const std::string& bytes) {
        fs::remove_all(data.path() / name);
        test::WriteFile(data.path() / name, bytes);
    }
    test::IsolatedEnvironment env;
    test::TempDir data;
};

// A BMP file of `bits` per pixel, `w` x `h`, every pixel the palette's or the colour's `shade`.
std::string Bmp(int w, int h, int bits, std::uint8_t shade) {
    const int colours = bits <= 8 ? 1 << bits : 0;
    const int stride = ((w * bits + 31) / 32) * 4;
    const int offset = 54 + colours * 4;
    std::string b(static_cast<std::size_t>(offset + stride * h), '\0');
    auto put = [&](int at, std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i)
            b[static_cast<std::size_t>(at + i)] = static_cast<char>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, static_cast<std::uint32_t>(b.size()), 4);
    put(10, static_cast<std::uint32_t>(offset), 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(w), 4);
    put(22, static_cast<std::uint32_t>(h), 4);
    put(26, 1, 2);
    put(28, static_cast<std::uint32_t>(bits), 2);
    for (int i = 0; i < colours; ++i)
        put(54 + 4 * i, static_cast<std::uint32_t>(shade * 0x010101u), 4);
    if (bits >= 24)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w * bits / 8; ++x)
                b[static_cast<std::size_t>(offset + y * stride + x)] = static_cast<char>(shade);
    return b;
}

TEST_F(HostileData, BrokenBackgroundsTakeTheFatalPath) {
    const std::string good = test::ReadFile(data.path() / "lucht2.bmp");
    for (const std::string& spoiled :
         {std::string(), good.substr(0, 54), good.substr(0, 2000), RandomBytes(5000, 3),
          Bmp(16000, 16000, 24, 1).substr(0, 64)}) {
        Replace("lucht2.bmp", spoiled);
        EXPECT_FALSE(Sails(2)) << spoiled.size();
    }
    fs::remove(data.path() / "lucht2.bmp");
    EXPECT_FALSE(Sails(2)) << "missing";
    fs::create_directory(data.path() / "lucht2.bmp");
    EXPECT_FALSE(Sails(2)) << "a folder";
    fs::remove_all(data.path() / "lucht2.bmp");
    ASSERT_EQ(::mkfifo((data.path() / "lucht2.bmp").c_str(), 0600), 0);
    EXPECT_FALSE(Sails(2)) << "a pipe";
}

// Odd sizes and narrow strips are the background composition's own tests; here every depth
// goes through the whole saver.
TEST_F(HostileData, BackgroundsOfEveryDepthAreUsedSafely) {
    for (int bits : {1, 4, 8, 24, 32}) {
        Replace("water.bmp", Bmp(800, 600, bits, 90));
        EXPECT_TRUE(Sails(3)) << bits << " bits";
    }
    Replace("CLRBTMP.BMP", Bmp(1, 1, 1, 40));
    EXPECT_TRUE(Sails(4)) << "a one-pixel colour strip";
}

TEST(HostileProcesses, SlowHugeAndForeignPeersDoNotHoldTheEndpoint) {
    test::IsolatedEnvironment env;
    WindowEndpoint endpoint("TfrmMain", "Hostile Test");
    ASSERT_TRUE(endpoint.Registered());
    const auto window = FindWindow("", "Hostile Test");
    ASSERT_TRUE(window);
    auto connect = [&] {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, window->socket.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        return fd;
    };
    const int slow = connect(); // sends one byte and then nothing
    ASSERT_EQ(::write(slow, "D", 1), 1);
    const int huge = connect(); // sends far more than a message
    const std::string flood(1 << 20, 'x');
    std::thread flooder([&] { (void)::write(huge, flood.data(), flood.size()); });
    const auto start = std::chrono::steady_clock::now();
    int served = 0;
    endpoint.ServePending([&](std::uint32_t, std::int64_t, std::int64_t) {
        ++served;
        return 1;
    });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(served, 0);
    ::close(slow);
    ::close(huge);
    flooder.join();

    // An endpoint file that belongs to another user is never taken for a window.
    if (::geteuid() == 0) {
        const fs::path info = WindowDirectory() / "99999-1.info";
        test::WriteFile(info, "TfrmMain\nForeign Window\n");
        ASSERT_EQ(::chown(info.c_str(), 65534, 65534), 0);
        EXPECT_FALSE(FindWindow("", "Foreign Window"));
    }
}

} // namespace
} // namespace dd
