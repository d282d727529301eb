#pragma once

// The still background of the play field: the chosen picture or two random colour columns,
// with a five-pointed star cut out of it that shows fixed sky and sea columns.

#include "game/Course.h"
#include "game/Field.h"
#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/time/Random.h"

#include <array>
#include <string>

namespace dd {

// The star's corners relative to the field centre: even indices tips, odd inner corners.
TStarPoints ComputeStarPoints();

// A background or colour-strip file that is missing or unreadable.
class EBackgroundFile : public Exception {
public:
    explicit EBackgroundFile(const std::string& file)
        : Exception("Cannot load " + file), file_(file) {}
    const std::string& File() const { return file_; }

private:
    std::string file_;
};

struct FieldGeometry {
    int width = kFieldWidth;
    int height = kFieldHeight;
    int horizonY = 390;
};

// The play field on a screen of this size: 800 x 600, or the whole screen when it is narrower.
FieldGeometry FieldForScreen(int screenWidth, int screenHeight);

// The picture file for a "Picture" value (1 must already be replaced); values outside 0 to 4
// count as 0.
const char* BackgroundFileName(int picture);

// Loads "<homeDir><name>" as a bitmap, or throws EBackgroundFile.
Bitmap LoadDataBitmap(const std::string& homeDir, const std::string& name);

// The composed background of the field. Throws EBackgroundFile when a file cannot be loaded.
Bitmap ComposeBackground(int picture, const std::string& homeDir, const FieldGeometry& field,
                         const TStarPoints& star, RandomGenerator& random);

} // namespace dd
