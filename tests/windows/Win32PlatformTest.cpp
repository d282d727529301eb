// The Windows back end under Wine: folders, the registry, the instance claim, other programs'
// windows, atomic writes, timers, the host window's translation of messages, the desktop's
// saver flag and cursor, the .scr's resources and the wave player.

#include "hosts/win32/Desktop.h"
#include "hosts/win32/HostWindow.h"
#include "hosts/win32/MciWavePlayer.h"
#include "hosts/win32/Win32Scheduler.h"
#include "platform/core/Exception.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/DataFile.h"
#include "platform/io/InstanceLock.h"
#include "platform/io/RegistryFile.h"
#include "platform/io/SettingsDirectory.h"
#include "platform/io/WaveFile.h"
#include "platform/io/WindowDirectory.h"
#include "platform/time/TTimer.h"
#include "platform/win32/Windows.h"
#include "tests/support/RecordingInput.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace dd {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\desktop";

// Runs the thread's messages until `done` or two seconds have passed.
template <typename Done> void PumpUntil(Done done) {
    const ULONGLONG deadline = ::GetTickCount64() + 2000;
    MSG message{};
    while (!done() && ::GetTickCount64() < deadline) {
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT) != WAIT_OBJECT_0)
            continue;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

TEST(Win32Folders, SettingsLiveInTheRoamingProfileUnlessTheEnvironmentSaysOtherwise) {
    test::IsolatedEnvironment env;
    EXPECT_EQ(SettingsDirectory(), env.settings());
    ::_putenv_s("DRAVELIN_SETTINGS_DIR", "");
    const std::filesystem::path folder = SettingsDirectory();
    EXPECT_EQ(folder.filename(), "Dravelin Didazi");
    wchar_t appData[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    EXPECT_EQ(folder.parent_path(), std::filesystem::path(appData));
}

TEST(Win32Folders, InstalledDataIsBesideTheProgram) {
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(InstalledDataFolders(),
              std::vector<std::filesystem::path>{std::filesystem::path(program).parent_path()});
}

// A value of the test's own under the desktop key, removed however the test ends.
class DesktopValue {
public:
    ~DesktopValue() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kName); }
    void Set(DWORD type, const void* data, DWORD size) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kName, type, data, size);
    }
    static RegistryValue Read() {
        return ReadUserRegistryValue("Control Panel\\desktop", "DdTestFlag");
    }

private:
    static constexpr wchar_t kName[] = L"DdTestFlag";
};

TEST(Win32Registry, TheDesktopFlagIsReadWithItsType) {
    DesktopValue value;
    EXPECT_TRUE(std::holds_alternative<RegistryMissing>(value.Read()));
    const DWORD zero = 0;
    value.Set(REG_DWORD, &zero, sizeof zero);
    EXPECT_EQ(std::get<std::uint32_t>(value.Read()), 0u);
    value.Set(REG_SZ, L"0", 2 * sizeof(wchar_t));
    EXPECT_EQ(std::get<std::string>(value.Read()), "0");
    const std::uint8_t bytes[4] = {};
    value.Set(REG_BINARY, bytes, sizeof bytes);
    EXPECT_TRUE(std::holds_alternative<RegistryOtherType>(value.Read()));
    EXPECT_TRUE(std::holds_alternative<RegistryMissing>(
        ReadUserRegistryValue("No Such Key\\Anywhere", "DdTestFlag")));
}

TEST(Win32Registry, TestsPutTheUsersOwnPasswordFlagBack) {
    const auto read = [] {
        return ReadUserRegistryValue("Control Panel\\desktop", "ScreenSaveUsePassword");
    };
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"ScreenSaveUsePassword", REG_SZ, L"1",
                      2 * sizeof(wchar_t));
    {
        test::IsolatedEnvironment env;
        env.SetDesktopPasswordFlag(0);
        env.SetDesktopPasswordFlag(1);
        EXPECT_EQ(std::get<std::uint32_t>(read()), 1u);
    }
    EXPECT_EQ(std::get<std::string>(read()), "1");
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"ScreenSaveUsePassword");
    {
        test::IsolatedEnvironment env;
        env.SetDesktopPasswordFlag(0);
    }
    EXPECT_TRUE(std::holds_alternative<RegistryMissing>(read()));
}

TEST(Win32Instance, OnlyOneClaimHoldsAtATime) {
    auto first = std::make_unique<InstanceLock>();
    EXPECT_TRUE(first->Held());
    EXPECT_FALSE(InstanceLock().Held());
    first.reset();
    EXPECT_TRUE(InstanceLock().Held());
}

// A window answering one message, as the launcher answers the saver.
LRESULT CALLBACK Launcher(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP + 7)
        return static_cast<LRESULT>(wParam + lParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST(Win32Windows, FoundByClassAndTitleAndAnsweringMessages) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Launcher;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"DdTestLauncher";
    ::RegisterClassW(&windowClass);
    HWND launcher = ::CreateWindowExW(0, L"DdTestLauncher", L"Start Test", WS_POPUP, 0, 0, 0, 0,
                                      nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(launcher, nullptr);
    const auto found = FindWindow("DdTestLauncher", "Start Test");
    ASSERT_TRUE(found);
    EXPECT_EQ(SendMessage(*found, WM_APP + 7, 40, 2), 42);
    EXPECT_FALSE(FindWindow("OtherClass", "Start Test"));
    ::DestroyWindow(launcher);
    EXPECT_FALSE(FindWindow("DdTestLauncher", "Start Test"));

    {
        const WindowEndpoint application("TApplication", "Some Saver Title");
        EXPECT_TRUE(application.Registered());
        EXPECT_TRUE(FindWindow("", "Some Saver Title"));
    }
    EXPECT_FALSE(FindWindow("", "Some Saver Title")) << "the hidden window goes with its owner";
}

TEST(Win32Files, AReplacedFileIsWholeAndLeavesNothingBehind) {
    test::TempDir dir;
    ReplaceFileAtomically(dir / "control.ini", "[S]\r\nk=1\r\n", 0600);
    ReplaceFileAtomically(dir / "control.ini", "[S]\r\nk=2\r\n", 0600);
    EXPECT_EQ(ReadWholeFile(dir / "control.ini"), "[S]\r\nk=2\r\n");
    std::filesystem::create_directory(dir / "folder");
    EXPECT_THROW(ReplaceFileAtomically(dir / "folder", "x", 0600), std::system_error);
    EXPECT_THROW(ReadWholeFile(dir / "missing"), std::system_error);
    EXPECT_THROW(ReadWholeFile(dir / "control.ini", 4), std::system_error) << "too large";
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"control.ini", "folder"}));
}

TEST(Win32Timers, FireInTheMessageLoopUntilCancelledAndReportWhatTheyThrow) {
    Win32Scheduler scheduler;
    std::vector<std::string> errors;
    scheduler.OnError = [&](const std::exception& e) { errors.push_back(e.what()); };
    TTimer fast(scheduler), failing(scheduler), never(scheduler);
    int ticks = 0;
    fast.SetInterval(10);
    fast.OnTimer = [&] {
        if (++ticks == 3)
            fast.SetEnabled(false);
    };
    failing.SetInterval(15);
    failing.OnTimer = [&] {
        failing.SetEnabled(false);
        throw Exception("Stream read error");
    };
    never.SetInterval(0);
    never.OnTimer = [] { FAIL() << "an interval of 0 never fires"; };
    fast.SetEnabled(true);
    failing.SetEnabled(true);
    never.SetEnabled(true);
    PumpUntil([&] { return ticks == 3 && !errors.empty(); });
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(errors, std::vector<std::string>{"Stream read error"});
    const int before = ticks;
    PumpUntil([] { return false; });
    EXPECT_EQ(ticks, before) << "a disabled timer stays quiet";
    EXPECT_GE(scheduler.Elapsed().count(), 2000);
    EXPECT_GE(scheduler.TimeOfDay(), 0.0);
    EXPECT_LT(scheduler.TimeOfDay(), 1.0);
}

TEST(Win32HostWindow, TranslatesTheMessagesOfKeysMouseAndTheSystem) {
    const Bitmap surface(8, 6);
    test::RecordingInput input;
    const std::vector<std::string>& seen = input.seen;
    // The surface 16 x 12 in the middle: origin (6, 7).
    const SurfacePlacement placement(8, 6, {0, 0, 8, 6}, Bounds(6, 7, 16, 12));
    HostWindow window("DdTestHost", "Host Test", &surface, placement, input);
    input.window = &window;
    window.Cover({"", {0, 0, 28, 26}, true});
    HWND h = window.Handle();
    ::SendMessageW(h, WM_KEYDOWN, VK_LEFT, 0);
    ::SendMessageW(h, WM_KEYUP, VK_LEFT, 0);
    ::SendMessageW(h, WM_CHAR, 'g', 0);
    ::SendMessageW(h, WM_LBUTTONDOWN, 0, MAKELPARAM(10, 9));
    ::SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    ::SendMessageW(h, WM_DISPLAYCHANGE, 32, MAKELPARAM(640, 480));
    EXPECT_EQ(seen, (std::vector<std::string>{"down 37", "up 37", "char g", "click 10,9",
                                              "move 1,1", "display"}));
    EXPECT_EQ(::SendMessageW(h, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 1);
    EXPECT_EQ(::SendMessageW(h, WM_ERASEBKGND, 0, 0), 1) << "the background is never erased";
    ::SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(h)) << "close requests are refused";
    EXPECT_TRUE(::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetWindowLongW(h, GWL_STYLE) & (WS_POPUP | WS_CAPTION), WS_POPUP);
    window.Cover({"", {10, 20, 42, 50}, true});
    RECT moved{};
    ::GetWindowRect(h, &moved);
    EXPECT_EQ(std::vector<LONG>({moved.left, moved.top, moved.right, moved.bottom}),
              std::vector<LONG>({10, 20, 42, 50}));
    ::SendMessageW(h, WM_LBUTTONDOWN, 0, MAKELPARAM(9, 11));
    EXPECT_EQ(seen.back(), "click 9,11") << "positions are the window's own";
}

TEST(Win32HostWindow, ShowsTheSurfacesColoursAsTheyAre) {
    Bitmap surface(3, 1);
    surface.SetPixel(0, 0, 0x0000FF); // red, as 0x00BBGGRR
    surface.SetPixel(1, 0, 0x00FF00);
    surface.SetPixel(2, 0, 0xFF0000);
    // The surface 6 x 2 in the middle: origin (2, 2).
    const SurfacePlacement placement(3, 1, {0, 0, 3, 1}, Bounds(2, 2, 6, 2));
    test::RecordingInput input;
    HostWindow window("DdColourTest", "Colour Test", &surface, placement, input);
    window.Cover({"", {0, 0, 10, 6}, true});
    HWND h = window.Handle();
    ::UpdateWindow(h);
    HDC dc = ::GetDC(h);
    const COLORREF expected[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 2; ++y)
            EXPECT_EQ(::GetPixel(dc, 2 + x, 2 + y), expected[x / 2]) << x << ", " << y;
    EXPECT_EQ(::GetPixel(dc, 1, 2), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(dc, 8, 3), RGB(0, 0, 0));
    ::ReleaseDC(h, dc);
}

TEST(Win32Desktop, TheSaverRunningFlagIsSetAndClearedAndTheCursorHiddenAndShown) {
    const auto running = [] {
        BOOL value = FALSE;
        ::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &value, 0);
        return value != FALSE;
    };
    {
        SaverRunningFlag flag;
        flag.Set(true);
        EXPECT_TRUE(running());
        flag.Set(false);
        EXPECT_FALSE(running());
        flag.Set(true);
    }
    EXPECT_FALSE(running()) << "cleared when the flag goes";

    // ShowCursor's count: below zero hides the cursor, however often it was shown before.
    const auto count = [] {
        ::ShowCursor(TRUE);
        return ::ShowCursor(FALSE);
    };
    ::ShowCursor(TRUE);
    SetCursorHidden(true);
    EXPECT_EQ(count(), -1);
    SetCursorHidden(true);
    EXPECT_EQ(count(), -1);
    SetCursorHidden(false);
    EXPECT_EQ(count(), 0);
}

// The .scr's resources, as Windows' screen-saver list and Explorer read them.
TEST(Win32Resources, TheScrCarriesItsNameIconAndVersion) {
    const char* scr = std::getenv("DRAVELIN_SCR");
    ASSERT_NE(scr, nullptr) << "DRAVELIN_SCR names the built .scr";
    HMODULE module = ::LoadLibraryExW(std::filesystem::path(scr).c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    wchar_t name[64] = {};
    EXPECT_EQ(::LoadStringW(module, 1, name, 64), 28);
    EXPECT_STREQ(name, L"Dravelin Didazi Screen Saver");
    HANDLE icon = ::LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0);
    EXPECT_NE(icon, nullptr);
    ::DestroyIcon(static_cast<HICON>(icon));
    EXPECT_NE(::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16)), nullptr)
        << "a version resource";
    ::FreeLibrary(module);
}

TEST(Win32Sound, ABrokenWaveFileIsRefusedBeforeTheDeviceSeesIt) {
    test::TempDir dir;
    test::WriteFile(dir / "broken.wav", "RIFF\x10\x00\x00\x00WAVEjunk");
    MciWavePlayer player;
    EXPECT_THROW(player.Open((dir / "broken.wav").string()), Exception);
    EXPECT_THROW(player.Open((dir / "missing.wav").string()), EWaveDevice);
    player.Play(); // an unopened player stays silent
    player.Stop();
}

TEST(Win32Sound, TheEndOfAPlayIsNotified) {
    test::TempDir dir;
    WaveData wave;
    wave.sampleRate = 22050;
    wave.channels = 1;
    wave.samples.assign(2205, 0); // a tenth of a second
    const auto bytes = WriteWave(wave);
    test::WriteFile(dir / "short.wav", std::string(bytes.begin(), bytes.end()));
    MciWavePlayer player;
    try {
        player.Open((dir / "short.wav").string());
    } catch (const EWaveDevice& e) {
        GTEST_SKIP() << "no wave device here: " << e.what();
    }
    int notified = 0;
    player.OnNotify = [&](TWavePlayer&) { ++notified; };
    player.Play();
    PumpUntil([&] { return notified > 0; });
    PumpUntil([] { return false; }); // a second notice would come by now
    EXPECT_EQ(notified, 1);
    player.Play();
    player.Stop();
    PumpUntil([] { return false; });
    EXPECT_EQ(notified, 2) << "a stopped play is notified too, once";
    player.Play();
    player.Stop();
    player.Play();
    PumpUntil([] { return false; });
    EXPECT_EQ(notified, 3) << "the stopped play's late notice does not end the one after it";
}

} // namespace
} // namespace dd
