#include "shell/Settings.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace dd {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    test::IsolatedEnvironment env;
    void Ini(const std::string& text) { test::WriteFile(env.settings() / "control.ini", text); }
    void Reg(const std::string& value) {
        test::WriteFile(env.settings() / "user.reg",
                        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\desktop]\n"
                        "\"ScreenSaveUsePassword\"=" +
                            value + "\n");
    }
    std::string Password() { return PasswordInForce(SettingsFile(), DesktopPasswordFlag()); }
};

TEST_F(SettingsTest, NoFileGivesTheDefaults) {
    SaverSettings s = ReadSaverSettings(SettingsFile());
    EXPECT_EQ(s.picture, 0);
    EXPECT_FALSE(s.sound);
    EXPECT_FALSE(s.followStar);
    EXPECT_EQ(s.homeDir, "");
    EXPECT_EQ(Password(), "");
}

TEST_F(SettingsTest, ReadsTheSaverSection) {
    Ini("[ScreenSaver.Zeilen]\nPicture=$3\nSound=2\nFollowStar=1\nHome=D:\\Sail\n");
    SaverSettings s = ReadSaverSettings(SettingsFile("Control.ini"));
    EXPECT_EQ(s.picture, 3);
    EXPECT_TRUE(s.sound);
    EXPECT_TRUE(s.followStar);
    EXPECT_EQ(s.homeDir, "D:\\Sail\\");
    Ini("[ScreenSaver.Zeilen]\nSound=on\nHome=D:\\Sail\\\n");
    s = ReadSaverSettings(SettingsFile());
    EXPECT_FALSE(s.sound);
    EXPECT_EQ(s.homeDir, "D:\\Sail\\");
}

TEST_F(SettingsTest, OnlyADwordZeroClearsThePassword) {
    Ini("[ScreenSaver.Zeilen]\nPWD=Secret\n");
    const ProfileFile file = SettingsFile();
    EXPECT_EQ(PasswordInForce(file, RegistryMissing{}), "Secret");
    EXPECT_EQ(PasswordInForce(file, std::uint32_t{0}), "");
    EXPECT_EQ(PasswordInForce(file, std::uint32_t{1}), "Secret");
    EXPECT_EQ(PasswordInForce(file, std::string("0")), "Secret") << "stored as text";
    EXPECT_EQ(PasswordInForce(file, RegistryOtherType{}), "Secret");
    EXPECT_EQ(Password(), "Secret") << "no flag on this desktop";
    env.SetDesktopPasswordFlag(0);
    EXPECT_EQ(Password(), "");
}

#ifndef _WIN32
TEST_F(SettingsTest, TheDesktopFlagIsReadFromTheUserRegistryFile) {
    Ini("[ScreenSaver.Zeilen]\nPWD=Secret\n");
    Reg("dword:00000000");
    EXPECT_EQ(Password(), "");
    Reg("dword:00000001");
    EXPECT_EQ(Password(), "Secret");
    Reg("\"0\"");
    EXPECT_EQ(Password(), "Secret") << "stored as text";
    Reg("hex:00,00,00,00");
    EXPECT_EQ(Password(), "Secret");
    Reg("dword:0000000000000");
    EXPECT_EQ(Password(), "Secret") << "too wide for 32 bits";
    test::WriteFile(env.settings() / "user.reg", std::string("\x01\x02garbage\0", 10));
    EXPECT_EQ(Password(), "Secret");
}
#endif

TEST_F(SettingsTest, TrailingTextIsAppendedOnce) {
    EXPECT_EQ(EnsureTrailingText("a", "\\"), "a\\");
    EXPECT_EQ(EnsureTrailingText("a\\", "\\"), "a\\");
    EXPECT_EQ(EnsureTrailingText("aB", "b"), "aBb");
}

} // namespace
} // namespace dd
