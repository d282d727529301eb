#include "platform/gfx/Canvas.h"

#include "platform/gfx/TextRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace dd {
namespace {

// Maps destination pixels of one axis to source pixels: nearest-lower sampling, mirrored when
// the destination and source run in opposite directions. In 64 bits: a projected rectangle's
// edges may lie further apart than an int reaches.
struct AxisMap {
    std::int64_t destStart; // first destination pixel (normalised)
    std::int64_t destSize;
    std::int64_t srcStart; // first source pixel (normalised)
    std::int64_t srcSize;
    bool mirror;

    AxisMap(int d0, int d1, int s0, int s1)
        : destStart(std::min(d0, d1)), destSize(std::abs(std::int64_t(d1) - d0)),
          srcStart(std::min(s0, s1)), srcSize(std::abs(std::int64_t(s1) - s0)),
          mirror((d1 < d0) != (s1 < s0)) {}

    // For a destination pixel inside the destination; the source pixel lies inside the source.
    int Source(int dest) const {
        const std::int64_t step = mirror ? destStart + destSize - 1 - dest : dest - destStart;
        if (srcSize == destSize)
            return static_cast<int>(srcStart + step);
        // Both factors are below 2^32, so the product fits.
        return static_cast<int>(
            srcStart + static_cast<std::int64_t>(std::uint64_t(step) * std::uint64_t(srcSize) /
                                                 std::uint64_t(destSize)));
    }
    // How far the source lies right of the destination, for an unmirrored copy of equal size.
    std::int64_t Shift() const { return srcStart - destStart; }
};

// A mask byte (1 where the destination shows through) as the word a destination pixel is
// ANDed with.
TColor MaskWord(std::uint8_t bit) {
    return clWhite * bit;
}

// One unmirrored row of a masked copy; the rows never overlap, which lets the compiler
// vectorise the loop.
void MaskedRow(TColor* __restrict d, const TColor* __restrict s, const std::uint8_t* __restrict m,
               int count) {
    for (int i = 0; i < count; ++i)
        d[i] = (d[i] & MaskWord(m[i])) | s[i];
}

template <typename Combine>
void CombineRow(TColor* __restrict d, const TColor* __restrict s, int count, Combine combine) {
    for (int i = 0; i < count; ++i)
        d[i] = combine(d[i], s[i]);
}

template <typename Combine>
void Blit(Bitmap& target, const TRect& area, const AxisMap& xs, const AxisMap& ys,
          const Bitmap& source, Combine combine) {
    TRect srcBounds = source.BoundsRect();
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int sy = ys.Source(y);
        if (sy < 0 || sy >= srcBounds.Bottom)
            continue;
        TColor* d = target.Row(y);
        const TColor* s = source.Row(sy);
        if (xs.srcSize == xs.destSize && !xs.mirror) {
            const std::int64_t shift = xs.Shift();
            const auto from = std::max<std::int64_t>(area.Left, -shift);
            const auto to = std::min<std::int64_t>(area.Right, srcBounds.Right - shift);
            if (to > from)
                CombineRow(d + from, s + from + shift, static_cast<int>(to - from), combine);
            continue;
        }
        for (int x = area.Left; x < area.Right; ++x) {
            const int sx = xs.Source(x);
            if (sx >= 0 && sx < srcBounds.Right)
                d[x] = combine(d[x], s[sx]);
        }
    }
}

// A destination pixel combined with a source pixel; the modes without a source leave it out.
TColor Combined(CopyMode mode, TColor d, TColor s) {
    switch (mode) {
    case CopyMode::SrcCopy:
        return s;
    case CopyMode::SrcAnd:
        return d & s;
    case CopyMode::SrcPaint:
        return d | s;
    case CopyMode::DstInvert:
        return ~d & kColorMask;
    case CopyMode::Blackness:
        return clBlack;
    }
    return d;
}

// Between colour bitmaps, a row at a time, with a loop of its own for each mode that the
// compiler can vectorise.
void BlitWithMode(Bitmap& target, CopyMode mode, const TRect& area, const AxisMap& xs,
                  const AxisMap& ys, const Bitmap& source) {
    switch (mode) {
    case CopyMode::SrcCopy:
        Blit(target, area, xs, ys, source, [](TColor, TColor s) { return s; });
        break;
    case CopyMode::SrcAnd:
        Blit(target, area, xs, ys, source, [](TColor d, TColor s) { return d & s; });
        break;
    case CopyMode::SrcPaint:
        Blit(target, area, xs, ys, source, [](TColor d, TColor s) { return d | s; });
        break;
    case CopyMode::DstInvert:
    case CopyMode::Blackness:
        break; // no source to read
    }
}

// Where a monochrome bitmap takes part, a pixel at a time: only masks are made this way, once.
// A colour source drawn into a monochrome target is white where it has `key`.
void BlitPixels(Bitmap& target, CopyMode mode, const TRect& area, const AxisMap& xs,
                const AxisMap& ys, const Bitmap& source, TColor key) {
    const bool keyed = target.IsMonochrome() && !source.IsMonochrome();
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int sy = ys.Source(y);
        if (sy < 0 || sy >= source.Height())
            continue;
        for (int x = area.Left; x < area.Right; ++x) {
            const int sx = xs.Source(x);
            if (sx < 0 || sx >= source.Width())
                continue;
            TColor s = source.Pixel(sx, sy);
            if (keyed)
                s = s == key ? clWhite : clBlack;
            target.SetPixel(x, y, Combined(mode, target.Pixel(x, y), s));
        }
    }
}

} // namespace

TRect Canvas::DrawableArea() const {
    TRect area = target_.BoundsRect();
    if (clip_)
        IntersectRect(area, area, *clip_);
    return area;
}

void Canvas::Plot(int x, int y, TColor color) {
    if (DrawableArea().Contains(x, y))
        target_.SetPixel(x, y, color);
}

void Canvas::CopyRect(const TRect& dest, Bitmap& source, const TRect& src) {
    if (dest.Width() == 0 || dest.Height() == 0)
        return;
    TRect area;
    if (!IntersectRect(area, dest.Normalized(), DrawableArea()))
        return;
    if (copyMode_ == CopyMode::DstInvert || copyMode_ == CopyMode::Blackness) {
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                target_.SetPixel(x, y, Combined(copyMode_, target_.Pixel(x, y), clBlack));
        return;
    }
    if (src.Width() == 0 || src.Height() == 0)
        return;
    if (&source == &target_) {
        // Reading and writing one bitmap: copy the source first so rows never overlap.
        const TRect area = src.Normalized();
        Bitmap copy(area.Width(), area.Height(), source.Format());
        copy.GetCanvas().CopyRect(copy.BoundsRect(), source, area);
        copy.GetCanvas().SetBrushColor(source.GetCanvas().BrushColor());
        const TRect shifted{src.Left - area.Left, src.Top - area.Top, src.Right - area.Left,
                            src.Bottom - area.Top};
        CopyRect(dest, copy, shifted);
        return;
    }
    const AxisMap xs(dest.Left, dest.Right, src.Left, src.Right);
    const AxisMap ys(dest.Top, dest.Bottom, src.Top, src.Bottom);
    if (target_.IsMonochrome() || source.IsMonochrome())
        BlitPixels(target_, copyMode_, area, xs, ys, source, source.GetCanvas().BrushColor());
    else
        BlitWithMode(target_, copyMode_, area, xs, ys, source);
}

namespace {

// The pixels of `area` (clipped to the bitmap) as a bitmap of their own; outside is black.
Bitmap AreaOf(const Bitmap& source, const TRect& area) {
    Bitmap copy(area.Width(), area.Height(), source.Format());
    TRect inside;
    if (!IntersectRect(inside, area, source.BoundsRect()))
        return copy;
    for (int y = inside.Top; y < inside.Bottom; ++y)
        for (int x = inside.Left; x < inside.Right; ++x)
            copy.SetPixel(x - area.Left, y - area.Top, source.Pixel(x, y));
    return copy;
}

} // namespace

void Canvas::MaskedCopy(const TRect& dest, const Bitmap& image, const Bitmap& mask,
                        const TRect& src) {
    if (dest.Width() == 0 || dest.Height() == 0 || src.Width() == 0 || src.Height() == 0)
        return;
    TRect area;
    if (!IntersectRect(area, dest.Normalized(), DrawableArea()))
        return;
    if (&image == &target_ || &mask == &target_) {
        // Drawing onto its own strip: read from a copy, or mirrored and stretched rows would
        // read pixels already written.
        const TRect from = src.Normalized();
        const TRect shifted{src.Left - from.Left, src.Top - from.Top, src.Right - from.Left,
                            src.Bottom - from.Top};
        MaskedCopy(dest, AreaOf(image, from), AreaOf(mask, from), shifted);
        return;
    }
    const AxisMap xs(dest.Left, dest.Right, src.Left, src.Right);
    const AxisMap ys(dest.Top, dest.Bottom, src.Top, src.Bottom);
    const TRect srcBounds = image.BoundsRect();
    const bool direct = xs.srcSize == xs.destSize && !xs.mirror;
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int sy = ys.Source(y);
        if (sy < 0 || sy >= srcBounds.Bottom || sy >= mask.Height())
            continue;
        TColor* d = target_.Row(y);
        const TColor* s = image.Row(sy);
        const std::uint8_t* m = mask.MonoRow(sy);
        const int right = std::min(srcBounds.Right, mask.Width());
        if (direct) {
            const std::int64_t shift = xs.Shift();
            const auto from = std::max<std::int64_t>(area.Left, -shift);
            const auto to = std::min<std::int64_t>(area.Right, right - shift);
            if (to > from)
                MaskedRow(d + from, s + from + shift, m + from + shift,
                          static_cast<int>(to - from));
            continue;
        }
        for (int x = area.Left; x < area.Right; ++x) {
            const int sx = xs.Source(x);
            if (sx >= 0 && sx < right)
                d[x] = (d[x] & MaskWord(m[sx])) | s[sx];
        }
    }
}

void Canvas::FillRect(const TRect& rect) {
    TRect area;
    if (!IntersectRect(area, rect.Normalized(), DrawableArea()))
        return;
    const TColor color = target_.Coerce(brushColor_);
    for (int y = area.Top; y < area.Bottom; ++y) {
        if (target_.IsMonochrome())
            std::fill(target_.MonoRow(y) + area.Left, target_.MonoRow(y) + area.Right,
                      color == clWhite);
        else
            std::fill(target_.Row(y) + area.Left, target_.Row(y) + area.Right, color);
    }
}

void Canvas::LineTo(int x, int y) {
    int x0 = penPos_.X, y0 = penPos_.Y;
    const int dx = std::abs(x - x0), dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
    int error = dx + dy;
    while (x0 != x || y0 != y) {
        Plot(x0, y0, penColor_);
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y0 += sy;
        }
    }
    penPos_ = {x, y};
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
    const TRect box = TRect{left, top, right, bottom}.Normalized();
    if (box.IsEmpty())
        return;
    const int mirrorSum = box.Left + box.Right - 1; // x and mirrorSum - x are symmetric
    const double cx = mirrorSum / 2.0;
    const double cy = (box.Top + box.Bottom - 1) / 2.0;
    const double rx = (box.Width() - 1) / 2.0;
    const double ry = (box.Height() - 1) / 2.0;
    // The left end of each row's span, from the ellipse equation at the row's centre; rows
    // outside the box count as meeting in the middle.
    auto leftEnd = [&](int y) {
        if (y < box.Top || y >= box.Bottom)
            return static_cast<int>(std::floor(cx)) + 1;
        // Measured to the pixels' outer edges, so the end rows are not single points.
        const double t = (y - cy) / (ry + 0.5);
        const double half = (rx + 0.5) * std::sqrt(std::max(0.0, 1 - t * t)) - 0.5;
        return std::min(static_cast<int>(std::floor(cx - half + 0.5)),
                        static_cast<int>(std::floor(cx)));
    };
    for (int y = box.Top; y < box.Bottom; ++y) {
        const int xl = leftEnd(y);
        const int xr = mirrorSum - xl;
        // The outline reaches inward to meet the narrower neighbouring row, so it is closed.
        const int outlineEnd = std::max(xl, std::max(leftEnd(y - 1), leftEnd(y + 1)) - 1);
        for (int x = xl; x <= xr; ++x) {
            const bool outline = x <= outlineEnd || x >= mirrorSum - outlineEnd;
            if (outline)
                Plot(x, y, penColor_);
            else if (brushStyle_ == BrushStyle::Solid)
                Plot(x, y, brushColor_);
        }
    }
}

void Canvas::FloodFill(int x, int y, TColor color, FillStyle style) {
    const TRect area = DrawableArea();
    if (!area.Contains(x, y))
        return;
    const TColor reference = target_.Coerce(color);
    const TColor fill = target_.Coerce(brushColor_);
    auto fillable = [&](int px, int py) {
        const TColor c = target_.Pixel(px, py);
        return style == FillStyle::Border ? c != reference : c == reference;
    };
    // Filling with the surface colour itself would never finish marking pixels as done.
    if (!fillable(x, y) || (style == FillStyle::Surface && fill == reference))
        return;
    std::vector<TPoint> pending{{x, y}};
    std::vector<bool> done(static_cast<std::size_t>(target_.Width()) * target_.Height());
    auto index = [&](int px, int py) {
        return static_cast<std::size_t>(py) * target_.Width() + static_cast<std::size_t>(px);
    };
    while (!pending.empty()) {
        TPoint p = pending.back();
        pending.pop_back();
        if (done[index(p.X, p.Y)] || !fillable(p.X, p.Y))
            continue;
        int l = p.X, r = p.X;
        while (l > area.Left && !done[index(l - 1, p.Y)] && fillable(l - 1, p.Y))
            --l;
        while (r + 1 < area.Right && !done[index(r + 1, p.Y)] && fillable(r + 1, p.Y))
            ++r;
        for (int px = l; px <= r; ++px) {
            done[index(px, p.Y)] = true;
            target_.SetPixel(px, p.Y, fill);
        }
        for (int ny : {p.Y - 1, p.Y + 1}) {
            if (ny < area.Top || ny >= area.Bottom)
                continue;
            bool inRun = false;
            for (int px = l; px <= r; ++px) {
                const bool open = !done[index(px, ny)] && fillable(px, ny);
                if (open && !inRun)
                    pending.push_back({px, ny});
                inRun = open;
            }
        }
    }
}

TColor Canvas::Pixel(int x, int y) const {
    if (!target_.BoundsRect().Contains(x, y))
        return 0xFFFFFFFF; // the platform's CLR_INVALID
    return target_.Pixel(x, y);
}

void Canvas::SetPixel(int x, int y, TColor color) {
    Plot(x, y, color);
}

void Canvas::TextOut(int x, int y, std::string_view text) {
    TextRenderer& renderer = TextRenderer::Instance();
    if (brushStyle_ == BrushStyle::Solid) {
        const TextSize size = renderer.TextExtent(font_, text);
        FillRect(Bounds(x, y, size.Width, size.Height));
    }
    const TColor color = font_.Color;
    renderer.Render(font_, text, x, y, [&](int px, int py) { Plot(px, py, color); });
    penPos_ = {x + renderer.TextExtent(font_, text).Width, y};
}

TextSize Canvas::TextExtent(std::string_view text) const {
    return TextRenderer::Instance().TextExtent(font_, text);
}

int Canvas::TextWidth(std::string_view text) const {
    return TextExtent(text).Width;
}
int Canvas::TextHeight(std::string_view text) const {
    return TextExtent(text).Height;
}

} // namespace dd
