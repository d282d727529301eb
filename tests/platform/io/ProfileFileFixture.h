#pragma once

#include "platform/io/ProfileFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <string>

namespace dd::test {

// A "control.ini" in a fresh folder.
class ProfileFileTest : public ::testing::Test {
protected:
    TempDir dir;
    ProfileFile file{dir.path(), "control.ini"};
    void Write(const std::string& text) { WriteFile(dir / "control.ini", text); }
    std::string Contents() { return ReadFile(dir / "control.ini"); }
};

} // namespace dd::test
