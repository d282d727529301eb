#include "tools/assetgen/Icon.h"

#include "tools/assetgen/Painter.h"

#include <algorithm>
#include <cmath>

namespace dd::assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Marks pixels outside the rounded square; no shape of the icon uses it.
constexpr TColor kOutside = RGB(255, 0, 255);
constexpr TColor kSeaTop = RGB(92, 172, 228);
constexpr TColor kSeaBottom = RGB(12, 72, 140);
constexpr TColor kCrest = RGB(168, 214, 244);
constexpr TColor kHull = RGB(200, 56, 44);
constexpr TColor kMast = RGB(72, 52, 36);
constexpr TColor kMainsail = RGB(250, 250, 246);
constexpr TColor kJib = RGB(230, 236, 242);
constexpr TColor kPennant = RGB(236, 64, 52);

// The icon is laid out on a 256-unit square; `scale` maps units to pixels of the big picture.
struct Layout {
    double scale;
    Pt At(double x, double y) const { return {x * scale, y * scale}; }
    std::vector<Pt> Shape(std::initializer_list<Pt> units) const {
        std::vector<Pt> out;
        for (const Pt& p : units)
            out.push_back(At(p.x, p.y));
        return out;
    }
};

// A quadratic curve from a to c pulled toward control point b, as polygon points.
void AppendCurve(std::vector<Pt>& poly, Pt a, Pt b, Pt c) {
    for (int i = 0; i <= 12; ++i) {
        const double t = i / 12.0, u = 1 - t;
        poly.push_back({u * u * a.x + 2 * u * t * b.x + t * t * c.x,
                        u * u * a.y + 2 * u * t * b.y + t * t * c.y});
    }
}

void DrawBig(Bitmap& b, const Layout& l, double minStroke) {
    const double unit = l.scale;
    FillPolygon(b, RoundedRect(16 * unit, 16 * unit, 240 * unit, 240 * unit, 44 * unit),
                [&](int x, int y) {
                    const double ux = (x + 0.5) / unit, uy = (y + 0.5) / unit;
                    TColor sea = Mix(kSeaTop, kSeaBottom, std::clamp((uy - 16) / 224, 0.0, 1.0));
                    // Three rows of wave crests under the boat.
                    const double wave = uy - 5 * std::sin(ux * 2 * kPi / 48);
                    if (wave > 200 && std::fmod(wave - 200, 16) < 4)
                        sea = Mix(sea, kCrest, 0.55);
                    return sea;
                });

    FillPolygon(b, l.Shape({{50, 176}, {206, 176}, {186, 204}, {78, 204}}), kHull);
    ThickLine(b, l.At(126, 34), l.At(126, 178), std::max(6 * unit, minStroke), kMast);
    FillPolygon(b, l.Shape({{127, 34}, {150, 41}, {127, 48}}), kPennant);

    std::vector<Pt> mainsail;
    AppendCurve(mainsail, l.At(132, 46), l.At(184, 96), l.At(204, 168));
    mainsail.push_back(l.At(132, 168));
    FillPolygon(b, mainsail, kMainsail);

    std::vector<Pt> jib;
    AppendCurve(jib, l.At(120, 58), l.At(80, 112), l.At(60, 168));
    jib.push_back(l.At(120, 168));
    FillPolygon(b, jib, kJib);
}

} // namespace

RgbaImage DrawIcon(int size) {
    // Drawn large and averaged down, so edges are smooth and the corners fade out.
    const int samples = std::max(4, (512 + size - 1) / size);
    const int big = size * samples;
    Bitmap b(big, big);
    for (int y = 0; y < big; ++y)
        std::fill(b.Row(y), b.Row(y) + big, kOutside);
    // Below about 48 pixels a 6-unit mast would fade to nothing; keep it one pixel wide.
    DrawBig(b, Layout{big / 256.0}, samples);

    RgbaImage out{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 4)};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            unsigned r = 0, g = 0, bl = 0, covered = 0;
            for (int sy = 0; sy < samples; ++sy) {
                const TColor* row = b.Row(y * samples + sy) + x * samples;
                for (int sx = 0; sx < samples; ++sx) {
                    if (row[sx] == kOutside)
                        continue;
                    r += RedOf(row[sx]);
                    g += GreenOf(row[sx]);
                    bl += BlueOf(row[sx]);
                    ++covered;
                }
            }
            std::uint8_t* p = &out.pixels[(static_cast<std::size_t>(y) * size + x) * 4];
            if (covered == 0)
                continue; // fully transparent black
            const unsigned all = static_cast<unsigned>(samples * samples);
            p[0] = static_cast<std::uint8_t>((r + covered / 2) / covered);
            p[1] = static_cast<std::uint8_t>((g + covered / 2) / covered);
            p[2] = static_cast<std::uint8_t>((bl + covered / 2) / covered);
            p[3] = static_cast<std::uint8_t>((255 * covered + all / 2) / all);
        }
    return out;
}

} // namespace dd::assetgen
