#include "shell/Background.h"

#include "platform/gfx/BmpReader.h"
#include "platform/gfx/Canvas.h"
#include "platform/io/AtomicFile.h"
#include "platform/io/DataFile.h"

#include <cmath>
#include <system_error>

namespace dd {
namespace {

constexpr int kColumn = 32;

double RoundHalfUp(double v) {
    return std::trunc(v + 0.5);
}

// Sky and sea columns stretched onto the right-most band, then the band copied across.
void PaintColumns(Bitmap& target, Bitmap& strip, const TRect& skySource, const TRect& seaSource,
                  const FieldGeometry& f) {
    Canvas& c = target.GetCanvas();
    c.SetCopyMode(CopyMode::SrcCopy);
    const int band = f.width - kColumn;
    c.CopyRect({band, 0, f.width, f.horizonY}, strip, skySource);
    c.CopyRect({band, f.horizonY, f.width, f.height}, strip, seaSource);
    for (int i = 0; i <= f.width / kColumn; ++i)
        c.CopyRect({kColumn * i, 0, kColumn * i + kColumn, f.height}, target,
                   {band, 0, f.width, f.height});
}

Bitmap StarMask(const FieldGeometry& f, const TStarPoints& star) {
    Bitmap mask(f.width, f.height, PixelFormat::Mono);
    Canvas& c = mask.GetCanvas();
    c.SetBrushColor(clWhite);
    c.FillRect(mask.BoundsRect());
    c.SetPenColor(clBlack);
    const int cx = f.width / 2, cy = f.height / 2;
    for (std::size_t i = 0; i < star.size(); ++i) {
        const TRealPoint& a = star[i];
        const TRealPoint& b = star[(i + 1) % star.size()];
        c.MoveTo(static_cast<int>(a.X) + cx, static_cast<int>(a.Y) + cy);
        c.LineTo(static_cast<int>(b.X) + cx, static_cast<int>(b.Y) + cy);
    }
    c.SetBrushColor(clBlack);
    c.FloodFill(cx, f.horizonY, clWhite, FillStyle::Surface);
    return mask;
}

} // namespace

FieldGeometry FieldForScreen(int screenWidth, int screenHeight) {
    if (screenWidth < kFieldWidth)
        return {screenWidth, screenHeight, 330};
    return {};
}

TStarPoints ComputeStarPoints() {
    TStarPoints p{};
    const TRealPoint tips[5] = {{-1, -223}, {-231, -55}, {-143, 216}, {141, 216}, {229, -55}};
    for (int i = 0; i < 5; ++i)
        p[2 * i] = tips[i];
    for (int i = 0; i < 5; ++i) {
        TRealPoint crossing;
        bool touches = false;
        SegmentIntersection({p[2 * i], p[(2 * i + 4) % 10]},
                            {p[(2 * i + 2) % 10], p[(2 * i + 8) % 10]}, crossing, touches);
        p[2 * i + 1] = crossing;
    }
    for (TRealPoint& point : p)
        point = {RoundHalfUp(point.X), RoundHalfUp(point.Y)};
    return p;
}

const char* BackgroundFileName(int picture) {
    switch (picture) {
    case 3:
        return "water.bmp";
    case 4:
        return "zee.bmp";
    default:
        return "lucht2.bmp";
    }
}

Bitmap LoadDataBitmap(const std::string& homeDir, const std::string& name) {
    try {
        const std::string bytes = ReadWholeFile(ResolveDataFile(homeDir + name));
        return ReadBmp({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    } catch (const std::system_error&) {
        throw EBackgroundFile(name);
    } catch (const Exception&) { // an invalid picture, or one cut short
        throw EBackgroundFile(name);
    }
}

Bitmap ComposeBackground(int picture, const std::string& homeDir, const FieldGeometry& f,
                         const TStarPoints& star, RandomGenerator& random) {
    // Only a hand-edited file holds other values; they behave as "Random Colors".
    if (picture < 0 || picture > 4)
        picture = 0;
    Bitmap loaded = LoadDataBitmap(homeDir, BackgroundFileName(picture));
    // Pictures of another size are used as far as they reach; the rest of the field is black.
    loaded.SetSize(kFieldWidth, kFieldHeight);
    Bitmap background(f.width, f.height);
    background.GetCanvas().CopyRect(
        background.BoundsRect(), loaded,
        Bounds((kFieldWidth - f.width) / 2, (kFieldHeight - f.height) / 2, f.width, f.height));

    int sky = 1, sea = 0;
    if (random.Random(2) == 0)
        sea = random.Random(2) * 3;
    else
        sky = 3;

    Bitmap strip = LoadDataBitmap(homeDir, "CLRBTMP.BMP");
    if (picture == 0) {
        PaintColumns(background, strip, {kColumn * sky, 0, kColumn * sky + 31, f.horizonY - 1},
                     {kColumn * sea, 0, kColumn * sea + 31, f.height - 1 - f.horizonY}, f);
    }

    Bitmap mask = StarMask(f, star);
    Canvas& bg = background.GetCanvas();
    bg.SetCopyMode(CopyMode::SrcAnd);
    bg.CopyRect(background.BoundsRect(), mask, mask.BoundsRect());
    bg.SetCopyMode(CopyMode::SrcCopy);

    strip.SetSize(f.width, f.height);
    PaintColumns(strip, strip, {64, 0, 96, f.horizonY - 1}, {32, 0, 64, f.height - 1 - f.horizonY},
                 f);
    mask.GetCanvas().SetCopyMode(CopyMode::DstInvert);
    mask.GetCanvas().CopyRect(mask.BoundsRect(), mask, mask.BoundsRect());
    strip.GetCanvas().SetCopyMode(CopyMode::SrcAnd);
    strip.GetCanvas().CopyRect(strip.BoundsRect(), mask, mask.BoundsRect());
    bg.SetCopyMode(CopyMode::SrcPaint);
    bg.CopyRect(background.BoundsRect(), strip, strip.BoundsRect());
    bg.SetCopyMode(CopyMode::SrcCopy);
    return background;
}

} // namespace dd
