#pragma once

#include "tools/assetgen/Pictures.h"

#include <string>
#include <vector>

namespace dd::assetgen {

// The stored description of TfrmMain: every component in stored order with its stored
// settings, the sprites' pictures and sequences as binary data.
std::string MainFormDescription(const std::vector<SpriteArt>& sprites);

// A C++ source file that compiles `description` into the program.
std::string EmbeddedDescriptionSource(const std::string& description);

} // namespace dd::assetgen
