#include "platform/gfx/Bitmap.h"

#include "platform/core/Exception.h"
#include "platform/gfx/Canvas.h"

#include <algorithm>
#include <utility>

namespace dd {

Bitmap::Bitmap(int width, int height, PixelFormat format) : format_(format) {
    SetSize(width, height);
}

Bitmap::Bitmap(const Bitmap& other)
    : width_(other.width_), height_(other.height_), format_(other.format_), pixels_(other.pixels_),
      bits_(other.bits_) {}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) {
        width_ = other.width_;
        height_ = other.height_;
        format_ = other.format_;
        pixels_ = other.pixels_;
        bits_ = other.bits_;
    }
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(std::exchange(other.width_, 0)), height_(std::exchange(other.height_, 0)),
      format_(other.format_), pixels_(std::exchange(other.pixels_, {})),
      bits_(std::exchange(other.bits_, {})) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        format_ = other.format_;
        pixels_ = std::exchange(other.pixels_, {});
        bits_ = std::exchange(other.bits_, {});
    }
    return *this;
}

Bitmap::~Bitmap() = default;

void Bitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxDimension || height > kMaxDimension)
        throw EInvalidGraphic();
    if (width == width_ && height == height_)
        return;
    if (IsMonochrome())
        bits_ = Resized(bits_, width, height);
    else
        pixels_ = Resized(pixels_, width, height);
    width_ = width;
    height_ = height;
}

template <typename Sample>
std::vector<Sample> Bitmap::Resized(const std::vector<Sample>& pixels, int width,
                                    int height) const {
    std::vector<Sample> resized(static_cast<std::size_t>(width) * height, Sample{0});
    const int keepW = std::min(width, width_);
    const int keepH = std::min(height, height_);
    for (int y = 0; y < keepH; ++y)
        std::copy_n(pixels.data() + static_cast<std::size_t>(y) * width_, keepW,
                    resized.data() + static_cast<std::size_t>(y) * width);
    return resized;
}

TColor Bitmap::Coerce(TColor color) const {
    color &= kColorMask;
    if (format_ == PixelFormat::Rgb32)
        return color;
    const int brightness = RedOf(color) * 30 + GreenOf(color) * 59 + BlueOf(color) * 11;
    return brightness >= 128 * 100 ? clWhite : clBlack;
}

Canvas& Bitmap::GetCanvas() {
    if (!canvas_)
        canvas_ = std::make_unique<Canvas>(*this);
    return *canvas_;
}

} // namespace dd
