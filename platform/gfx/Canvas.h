#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Rect.h"

#include <optional>
#include <string_view>

namespace dd {

struct TextSize;

enum class CopyMode { SrcCopy, SrcAnd, SrcPaint, DstInvert, Blackness };
enum class BrushStyle { Solid, Clear };
enum class FillStyle {
    Border,  // fill until the border colour
    Surface, // fill while the surface colour
};

// The drawing surface of one bitmap: pen, brush, font, copy mode and clip rectangle, and the
// platform's drawing operations on them. Every operation stays inside the bitmap and the clip.
class Canvas {
public:
    explicit Canvas(Bitmap& target) : target_(target) {}
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor color) { penColor_ = color & kColorMask; }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color) { brushColor_ = color & kColorMask; }
    BrushStyle GetBrushStyle() const { return brushStyle_; }
    void SetBrushStyle(BrushStyle style) { brushStyle_ = style; }
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& font) { font_ = font; }
    CopyMode GetCopyMode() const { return copyMode_; }
    void SetCopyMode(CopyMode mode) { copyMode_ = mode; }

    void SetClipRect(const TRect& clip) { clip_ = clip; }
    void RemoveClip() { clip_.reset(); }
    const std::optional<TRect>& ClipRect() const { return clip_; }

    // Stretches `src` of `source` onto `dest` with the copy mode. A destination whose left and
    // right (or top and bottom) edges are swapped mirrors the picture. A monochrome source gives
    // black for 0 and white for 1; a colour source copied into a monochrome bitmap gives 1
    // where it equals the source canvas's brush colour.
    void CopyRect(const TRect& dest, Bitmap& source, const TRect& src);
    // dest := (dest AND mask) OR image, stretched and mirrored like CopyRect; `mask` is a
    // monochrome bitmap laid out like `image`.
    void MaskedCopy(const TRect& dest, const Bitmap& image, const Bitmap& mask, const TRect& src);

    void FillRect(const TRect& rect);
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    // A line from the pen position that leaves out its last point.
    void LineTo(int x, int y);
    // The ellipse inscribed in the box: outline with the pen, inside with a solid brush.
    void Ellipse(int left, int top, int right, int bottom);
    void FloodFill(int x, int y, TColor color, FillStyle style);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    void TextOut(int x, int y, std::string_view text);
    TextSize TextExtent(std::string_view text) const;
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;

private:
    TRect DrawableArea() const;
    void Plot(int x, int y, TColor color);

    Bitmap& target_;
    TColor penColor_ = clBlack;
    TColor brushColor_ = clWhite;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    Font font_;
    CopyMode copyMode_ = CopyMode::SrcCopy;
    std::optional<TRect> clip_;
    TPoint penPos_;
};

} // namespace dd
