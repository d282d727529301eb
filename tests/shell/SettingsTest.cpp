#include "shell/Settings.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace dd {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    test::IsolatedEnvironment env;
    void Ini(const std::string& text) { test::WriteFile(env.settings() / "control.ini", text); }
    std::string Password() { return PasswordInForce(SettingsFile(), DesktopPasswordFlag()); }
};

TEST_F(SettingsTest, ReadsTheSaverSectionWithDefaultsAndOneTrailingBackslash) {
    struct Case {
        const char* file;
        SaverSettings expected;
    };
    const Case cases[] = {
        {nullptr, {}},
        {"[ScreenSaver.Zeilen]\nPicture=$3\nSound=2\nFollowStar=1\nHome=D:\\Sail\n",
         {.picture = 3, .sound = true, .followStar = true, .homeDir = "D:\\Sail\\"}},
        {"[ScreenSaver.Zeilen]\nSound=on\nHome=D:\\Sail\\\n", {.homeDir = "D:\\Sail\\"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no file");
        if (c.file)
            Ini(c.file);
        const SaverSettings s = ReadSaverSettings(SettingsFile("Control.ini"));
        EXPECT_EQ(s.picture, c.expected.picture);
        EXPECT_EQ(s.sound, c.expected.sound);
        EXPECT_EQ(s.followStar, c.expected.followStar);
        EXPECT_EQ(s.homeDir, c.expected.homeDir);
    }
    EXPECT_EQ(Password(), "");
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

} // namespace
} // namespace dd
