#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Rect.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace dd {

class Canvas;

enum class PixelFormat {
    Mono,  // one bit a pixel: 0 black, 1 white
    Rgb32, // a TColor a pixel
};

// A rectangle of pixels with its own drawing surface. Every pixel is held as a TColor; in a
// monochrome bitmap only clBlack (bit 0) and clWhite (bit 1) occur.
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

    TColor Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
    void SetPixel(int x, int y, TColor color) { pixels_[Index(x, y)] = Coerce(color); }
    TColor* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const TColor* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

    // The colour this bitmap stores for `color`: monochrome bitmaps keep black or white,
    // whichever is nearer in brightness.
    TColor Coerce(TColor color) const;

    Canvas& GetCanvas();

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    PixelFormat format_;
    std::vector<TColor> pixels_;
    std::unique_ptr<Canvas> canvas_;
};

} // namespace dd
