#include "platform/io/RegistryFile.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace dd {
namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\Control Panel\\desktop";

RegistryValue Read(const test::TempDir& dir, const std::string& contents) {
    test::WriteFile(dir / "user.reg", contents);
    return ReadRegistryValue(dir / "user.reg", kKey, "ScreenSaveUsePassword");
}

TEST(RegistryFile, ReadsTheValueByItsType) {
    test::TempDir dir;
    EXPECT_TRUE(std::holds_alternative<RegistryMissing>(
        ReadRegistryValue(dir / "user.reg", kKey, "ScreenSaveUsePassword")));
    const std::string header = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n";
    EXPECT_EQ(std::get<std::uint32_t>(Read(dir, header + "\"ScreenSaveUsePassword\"=dword:0\r\n")),
              0u);
    EXPECT_EQ(
        std::get<std::uint32_t>(Read(dir, header + "\"screensaveusepassword\"=dword:FFFFFFFF\r\n")),
        0xFFFFFFFFu);
    EXPECT_EQ(std::get<std::string>(Read(dir, header + "\"ScreenSaveUsePassword\"=\"0\"\r\n")),
              "0");
    EXPECT_TRUE(std::holds_alternative<RegistryOtherType>(
        Read(dir, header + "\"ScreenSaveUsePassword\"=hex:00,00\r\n")));
    EXPECT_TRUE(std::holds_alternative<RegistryOtherType>(
        Read(dir, header + "\"ScreenSaveUsePassword\"=dword:100000000\r\n")));
    EXPECT_TRUE(std::holds_alternative<RegistryOtherType>(
        Read(dir, header + "\"ScreenSaveUsePassword\"=dword:\r\n")));
    EXPECT_TRUE(std::holds_alternative<RegistryMissing>(
        Read(dir, "[HKEY_CURRENT_USER\\Other]\r\n\"ScreenSaveUsePassword\"=dword:0\r\n")));
    EXPECT_TRUE(std::holds_alternative<RegistryMissing>(Read(dir, std::string("\0\xff\n[", 4))));
}

} // namespace
} // namespace dd
