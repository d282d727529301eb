#include "platform/io/ProfileFile.h"

#include "platform/core/Exception.h"
#include "platform/io/ProfileInteger.h"
#include "platform/io/SettingsDirectory.h"
#include "tests/platform/io/ProfileFileFixture.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <gtest/gtest.h>

namespace dd {
namespace {

using test::IsolatedEnvironment;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(ProfileInteger, ConvertsLikeTheProfileFunctions) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"-7", -7},
        {"+7", 7},
        {"  12", 12},
        {"12 ", std::nullopt},
        {"1x", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"0x3", 3},
        {"0X1f", 31},
        {"$3", 3},
        {"$ff", 255},
        {"$FF", 255},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"-$5", std::nullopt},
        {"$G", std::nullopt},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$7FFFFFFF", 2147483647},
        {"$80000000", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"0x0x3", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseProfileInteger(c.text), c.value) << '"' << c.text << '"';
}

using test::ProfileFileTest;

TEST_F(ProfileFileTest, HandEditedFilesReadAsThePlatformReadsThem) {
    struct Case {
        std::string file;
        const char *section, *key;
        std::string value; // "dflt" when the key counts as missing
    };
    const Case cases[] = {
        {"", "S", "k", "dflt"},
        {"[Other]\nk=1\n[S]\nj=2\n", "S", "k", "dflt"},
        {"[Other]\nk=1\n[S]\nj=2\n", "Other", "k", "1"},
        {"; comment\r\n [screensaver.zeilen] \r\n  home  =  C:\\data  \r\n", "ScreenSaver.Zeilen",
         "HOME", "C:\\data"},
        {"[S]\r\nPWD=\"  Secret \"\r\n", "s", "pwd", "  Secret "},
        {"[S]\r\nOdd=\"unbalanced\r\n", "S", "odd", "\"unbalanced"},
        {"[S]\nSound='1'\n", "S", "Sound", "1"},
        {"[S]\nHome=\"x'\n", "S", "Home", "\"x'"},
        {"\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
        {"[S]\n[Broken\nPicture=3\n", "S", "Picture", "3"},
        {"[S]\n[Broken\nPicture=3\n", "Broken", "Picture", "dflt"},
        {"[S]\nk=" + std::string(5000, 'x') + "\n", "S", "k", std::string(1023, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.substr(0, 60));
        std::filesystem::remove(dir / "control.ini");
        if (!c.file.empty())
            Write(c.file);
        EXPECT_EQ(file.ReadString(c.section, c.key, "dflt"), c.value);
    }
}

TEST(ProfileFolder, ARelativeSettingsFolderIsCreatedAndWritten) {
    TempDir dir;
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ProfileFile file("settings", "control.ini");
    EXPECT_NO_THROW(file.WriteString("S", "k", "v"));
    EXPECT_EQ(file.ReadString("S", "k", ""), "v");
    std::filesystem::current_path(old);
    EXPECT_TRUE(std::filesystem::exists(dir / "settings/control.ini"));
}

TEST_F(ProfileFileTest, AWriteRemovesStaleTemporariesButNotFreshOnes) {
    Write("[S]\nk=0\n");
    WriteFile(dir / ".control.ini.abc123", "stale");
    WriteFile(dir / ".control.ini.def456", "a writer at work");
    WriteFile(dir / ".other.ini.ghi789", "someone else's");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(dir / ".control.ini.abc123", old);
    std::filesystem::last_write_time(dir / ".other.ini.ghi789", old);
    file.WriteString("S", "k", "1");
    EXPECT_FALSE(std::filesystem::exists(dir / ".control.ini.abc123"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".control.ini.def456"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".other.ini.ghi789"));
}

TEST_F(ProfileFileTest, FileNameMatchesWithoutRegardToCase) {
    WriteFile(dir / "Control.INI", "[S]\nk=v\n");
    EXPECT_EQ(file.ReadString("S", "k", ""), "v");
    file.WriteString("S", "k", "w");
    EXPECT_EQ(ReadFile(dir / "Control.INI"), "[S]\nk=w\n");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"Control.INI"}) << "the file keeps its spelling";
}

TEST_F(ProfileFileTest, BooleansAndIntegersReadThroughTheConversion) {
    EXPECT_EQ(file.ReadInteger("S", "k", 9), 9) << "no file";
    EXPECT_TRUE(file.ReadBool("S", "k", true));
    Write("[S]\nSound=yes\nLoud=2\nPicture=0x3\nDollar=$3\nBare=0x\nNeg=-1\n");
    EXPECT_FALSE(file.ReadBool("S", "Sound", false));
    EXPECT_TRUE(file.ReadBool("S", "Loud", false));
    EXPECT_EQ(file.ReadInteger("S", "Picture", 0), 3);
    EXPECT_EQ(file.ReadInteger("S", "Dollar", 0), 3);
    EXPECT_EQ(file.ReadInteger("S", "Bare", 0), 0);
    EXPECT_TRUE(file.ReadBool("S", "Neg", false));
}

TEST_F(ProfileFileTest, WriteKeepsEveryOtherLineByteForByte) {
    const std::string before = "\xEF\xBB\xBF; shared by other screen savers\r\n"
                               "[Other.Saver]\r\n"
                               "Speed = 3 \r\n"
                               "\r\n"
                               "[ScreenSaver.Zeilen]\r\n"
                               "Sound=0\r\n"
                               "; keep me\r\n"
                               "[Broken\r\n"
                               "\r\n"
                               "[Last]\r\n"
                               "x=\"quoted\"";
    Write(before);
    file.WriteBool("screensaver.zeilen", "SOUND", true);
    file.WriteInteger("ScreenSaver.Zeilen", "Picture", 4);
    file.WriteString("New.Section", "Key", "v");
    EXPECT_EQ(Contents(), "\xEF\xBB\xBF; shared by other screen savers\r\n"
                          "[Other.Saver]\r\n"
                          "Speed = 3 \r\n"
                          "\r\n"
                          "[ScreenSaver.Zeilen]\r\n"
                          "Sound=1\r\n"
                          "; keep me\r\n"
                          "[Broken\r\n"
                          "Picture=4\r\n"
                          "\r\n"
                          "[Last]\r\n"
                          "x=\"quoted\"\r\n"
                          "[New.Section]\r\n"
                          "Key=v\r\n");
}

TEST_F(ProfileFileTest, WrittenTextReadsBackUnchanged) {
    for (std::string value :
         {"plain", " padded ", "\"quoted\"", "", "a=b", "[x]", "'quoted'", "'", "\"'x'\""}) {
        file.WriteString("S", "PWD", value);
        EXPECT_EQ(file.ReadString("S", "PWD", "default"), value);
    }
}

TEST_F(ProfileFileTest, LineBreaksInAValueAreRefusedInsteadOfSplittingTheLine) {
    Write("[S]\nPWD=old\n");
    EXPECT_THROW(file.WriteString("S", "PWD", "a\nInjected=1"), EIniFileException);
    EXPECT_EQ(Contents(), "[S]\nPWD=old\n");
}

TEST_F(ProfileFileTest, FolderWhereTheFileShouldBeFailsTheWrite) {
    std::filesystem::create_directory(dir / "control.ini");
    try {
        file.WriteString("S", "k", "v");
        FAIL() << "write into a folder succeeded";
    } catch (const EIniFileException& e) {
        EXPECT_STREQ(e.what(), "Unable to write to control.ini");
    }
    EXPECT_EQ(file.ReadString("S", "k", "dflt"), "dflt");
}

} // namespace
} // namespace dd
