#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Rect.h"

#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

namespace dd {

class Canvas;

enum class PixelFormat {
    Mono,  // one bit a pixel: 0 black, 1 white
    Rgb32, // a TColor a pixel
};

// A rectangle of pixels with its own drawing surface. A colour bitmap holds a TColor a pixel; a
// monochrome one a byte a pixel, 0 for clBlack and 1 for clWhite, a quarter of the memory for
// the masks every sprite strip carries.
class Bitmap {
public:
    static constexpr int kMaxDimension = 16384;

    explicit Bitmap(int width = 0, int height = 0, PixelFormat format = PixelFormat::Rgb32);
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    // Takes the pixels over without copying them; each bitmap keeps its own canvas.
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap();

    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    bool IsMonochrome() const { return format_ == PixelFormat::Mono; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    TRect BoundsRect() const { return {0, 0, width_, height_}; }

    // Keeps the pixels at the top-left; new pixels are black. Throws EInvalidGraphic for a
    // negative or absurd size.
    void SetSize(int width, int height);

    TColor Pixel(int x, int y) const {
        return IsMonochrome() ? (bits_[Index(x, y)] ? clWhite : clBlack) : pixels_[Index(x, y)];
    }
    void SetPixel(int x, int y, TColor color) {
        if (IsMonochrome())
            bits_[Index(x, y)] = Coerce(color) == clWhite;
        else
            pixels_[Index(x, y)] = color & kColorMask;
    }
    // The pixels of a colour bitmap.
    TColor* Row(int y) {
        assert(!IsMonochrome());
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    const TColor* Row(int y) const {
        assert(!IsMonochrome());
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    // The pixels of a monochrome bitmap.
    std::uint8_t* MonoRow(int y) {
        assert(IsMonochrome());
        return bits_.data() + static_cast<std::size_t>(y) * width_;
    }
    const std::uint8_t* MonoRow(int y) const {
        assert(IsMonochrome());
        return bits_.data() + static_cast<std::size_t>(y) * width_;
    }

    // The colour this bitmap stores for `color`: monochrome bitmaps keep black or white,
    // whichever is nearer in brightness.
    TColor Coerce(TColor color) const;

    Canvas& GetCanvas();

private:
    // `pixels` at the new size, kept at the top-left; new pixels are black.
    template <typename Sample>
    std::vector<Sample> Resized(const std::vector<Sample>& pixels, int width, int height) const;
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    PixelFormat format_;
    std::vector<TColor> pixels_;     // colour
    std::vector<std::uint8_t> bits_; // monochrome
    std::unique_ptr<Canvas> canvas_;
};

} // namespace dd
