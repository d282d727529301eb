// Any bytes as a BMP file: a bitmap or EInvalidGraphic, nothing else.

#include "platform/core/Exception.h"
#include "platform/gfx/BmpReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        dd::Bitmap b = dd::ReadBmp({data, size});
        if (b.Width() <= 0 || b.Height() <= 0)
            std::abort();
    } catch (const dd::EInvalidGraphic&) {
    }
    return 0;
}
