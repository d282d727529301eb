#include "tools/assetgen/Pictures.h"

#include "platform/gfx/Canvas.h"
#include "tools/assetgen/Painter.h"

#include <algorithm>
#include <cmath>

namespace dd::assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr TColor kBlue = clBlue; // the background every sprite picture stands on
// Dark lines of the black-transparent sprites must not be pure black.
constexpr TColor kRigging = RGB(24, 24, 30);
constexpr TColor kPanelRim = RGB(92, 170, 110);
constexpr TColor kLogoRed = RGB(210, 30, 40);

Bitmap Blank(int w, int h) {
    Bitmap b(w, h);
    b.GetCanvas().SetBrushColor(kBlue);
    b.GetCanvas().FillRect(b.BoundsRect());
    return b;
}

SpriteArt Assemble(std::string sprite, TColor transparent, std::vector<FrameArt> frames,
                   const std::vector<Bitmap>& pictures) {
    int width = 0, height = 0;
    for (const FrameArt& f : frames) {
        width += f.width;
        height = std::max(height, f.height);
    }
    Bitmap strip = Blank(width, height);
    int left = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        strip.GetCanvas().CopyRect(Bounds(left, 0, frames[i].width, frames[i].height),
                                   const_cast<Bitmap&>(pictures[i]), pictures[i].BoundsRect());
        left += frames[i].width;
    }
    return {std::move(sprite), transparent, std::move(frames), std::move(strip)};
}

// ---- The boat and its sail, seen from astern ----

// Heel of each picture in degrees, positive to the right, and where the game puts the boat
// and sail pictures in its 640-wide reference layout.
constexpr double kHeel[9] = {-45, -30, -15, -7.5, 0, 7.5, 15, 30, 45};
constexpr Pt kBoatAt[9] = {{158, 155}, {206, 123}, {260, 105}, {280, 97}, {282, 97},
                           {284, 97},  {286, 105}, {292, 123}, {296, 155}};
constexpr Pt kSailAt[9] = {{158, 165}, {184, 135}, {206, 119}, {216, 113}, {314, 111},
                           {324, 113}, {330, 119}, {338, 135}, {346, 165}};
const FrameArt kBoatFrames[9] = {
    {"Bmin45", 190, 173}, {"Bmin30", 146, 205},  {"Bmin15", 98, 222},
    {"Bmin75", 80, 231},  {"B0", 78, 231},       {"Bplus75", 80, 231},
    {"Bplus15", 98, 223}, {"Bplus30", 146, 205}, {"Bplus45", 190, 173}};
constexpr int kSailW[9] = {140, 122, 108, 105, 18, 104, 108, 122, 140};
constexpr int kSailH[9] = {163, 193, 191, 183, 181, 183, 191, 193, 163};
const char* const kSailNames[9] = {"Zmin45",  "Zmin30",  "Zmin15",  "Zmin75", "Z00",
                                   "Zplus75", "Zplus15", "Zplus30", "Zplus45"};

const std::vector<Pt> kHull = {{-34, 0}, {34, 0},   {32, 12},  {24, 24},
                               {10, 30}, {-10, 30}, {-24, 24}, {-32, 12}};

// The boat of one heel: deck centre F and mast length in its boat picture, with rotation.
struct Rig {
    double angle; // radians, positive leaning right
    Pt foot;      // deck centre in the boat picture
    double mast;  // mast length
    Pt Place(Pt local) const {
        const double c = std::cos(angle), s = std::sin(angle);
        return {foot.x + local.x * c - local.y * s, foot.y + local.x * s + local.y * c};
    }
};

Rig RigFor(int k) {
    const FrameArt& f = kBoatFrames[k];
    Rig rig{kHeel[k] * kPi / 180, {0, 0}, 0};
    double bottom = 0;
    for (const Pt& p : kHull)
        bottom = std::max(bottom, rig.Place(p).y);
    rig.foot.y = f.height - 1 - bottom;
    rig.mast = (rig.foot.y - 4) / std::cos(rig.angle);
    double left = 1e9, right = -1e9;
    for (const Pt& p : kHull) {
        left = std::min(left, rig.Place(p).x);
        right = std::max(right, rig.Place(p).x);
    }
    const Pt top = rig.Place({0, -rig.mast});
    left = std::min(left, top.x - 3);
    right = std::max(right, top.x + 3);
    rig.foot.x = (f.width - (right - left)) / 2 - left;
    return rig;
}

Bitmap DrawBoat(int k) {
    const FrameArt& f = kBoatFrames[k];
    Bitmap b = Blank(f.width, f.height);
    const Rig rig = RigFor(k);
    std::vector<Pt> hull;
    for (const Pt& p : kHull)
        hull.push_back(rig.Place(p));
    // Light from the left: the transom shades toward its right side; a stripe under the deck
    // and a dark boot top at the waterline.
    const TColor white = RGB(246, 246, 242), shade = RGB(196, 202, 212);
    FillPolygon(b, hull, [&](int x, int y) {
        const double c = std::cos(rig.angle), s = std::sin(rig.angle);
        const double lx = (x + 0.5 - rig.foot.x) * c + (y + 0.5 - rig.foot.y) * s;
        const double ly = -(x + 0.5 - rig.foot.x) * s + (y + 0.5 - rig.foot.y) * c;
        if (ly > 2.5 && ly < 5.5)
            return RGB(20, 48, 110);
        if (ly > 25)
            return RGB(120, 30, 28);
        return Mix(white, shade, Quantize((lx + 34) / 68, 6));
    });
    // Shrouds from the deck edges, spreaders, then the mast over them.
    const Pt hounds = rig.Place({0, -rig.mast * 0.74});
    ThickLine(b, rig.Place({-31, 1}), hounds, 1.2, RGB(70, 70, 78));
    ThickLine(b, rig.Place({31, 1}), hounds, 1.2, RGB(70, 70, 78));
    ThickLine(b, rig.Place({-13, -rig.mast * 0.42}), rig.Place({13, -rig.mast * 0.42}), 1.6,
              kRigging);
    ThickLine(b, rig.Place({0, 2}), rig.Place({0, -rig.mast}), 4, kRigging);
    ThickLine(b, rig.Place({-1, 2}), rig.Place({-1, -rig.mast}), 1, RGB(90, 92, 100));
    return b;
}

// How far the boom is out for the four sail pictures of a heel, as the sine of its angle.
constexpr double kBoomOut[4] = {0.22, 0.55, 0.82, 0.98};

Bitmap DrawSail(int k, int variant) {
    Bitmap b = Blank(kSailW[k], kSailH[k]);
    const Rig rig = RigFor(k);
    // The boat picture's mast in this picture's coordinates.
    const Pt shift{kBoatAt[k].x - kSailAt[k].x, kBoatAt[k].y - kSailAt[k].y};
    auto place = [&](Pt local) {
        const Pt p = rig.Place(local);
        return Pt{p.x + shift.x, p.y + shift.y};
    };
    const double side = kHeel[k] < 0 ? -1 : 1;
    const double boomHeight = rig.mast * 0.13;
    const Pt head = place({0, -rig.mast * 0.97});
    const Pt tack = place({0, -boomHeight});
    if (k == 4) {
        // Slack, seen edge-on: a thin rippled sliver beside the mast.
        std::vector<Pt> sliver;
        for (int i = 0; i <= 20; ++i) {
            const double t = i / 20.0;
            sliver.push_back({head.x + (tack.x - head.x) * t + 2 + 3 * std::sin(t * kPi) +
                                  1.5 * std::sin(t * 9 * kPi),
                              head.y + (tack.y - head.y) * t});
        }
        sliver.push_back({tack.x, tack.y});
        sliver.push_back({head.x, head.y});
        FillPolygon(b, sliver, RGB(236, 236, 230));
        ThickLine(b, head, tack, 3, kRigging);
        return b;
    }
    // The clew at the boom's end, as far out as the picture allows.
    const double reach = std::max(4.0, (side < 0 ? tack.x : kSailW[k] - tack.x) - 3);
    // Kept short enough that the curved leech stays inside the picture.
    const double out = reach * kBoomOut[variant] / 1.15;
    // The boom droops a little toward its end.
    const Pt clewAt{tack.x + side * out, std::min(tack.y + 6, kSailH[k] - 3.0)};
    // Luff up the mast, a curved leech out to the clew, the foot along the boom.
    std::vector<Pt> sail = {tack, head};
    const double bulge = 0.12 * out + 2;
    for (int i = 1; i < 16; ++i) {
        const double t = i / 16.0;
        const double along = 4 * t * (1 - t);
        sail.push_back({head.x + (clewAt.x - head.x) * t + side * bulge * along,
                        head.y + (clewAt.y - head.y) * t + bulge * 0.3 * along});
    }
    sail.push_back(clewAt);
    const TColor cloth = RGB(250, 250, 245), fold = RGB(206, 212, 222);
    FillPolygon(b, sail, [&](int x, int y) {
        // Panels across the sail, each a little darker toward the leech.
        const double across = std::fabs(x - tack.x) / std::max(1.0, out);
        const bool seam = static_cast<int>(y - head.y + 200) % 24 == 0;
        return seam ? RGB(214, 216, 222) : Mix(cloth, fold, Quantize(across * 0.8, 5));
    });
    if (out > 40) {
        const Pt c{tack.x + side * out * 0.38, head.y + (tack.y - head.y) * 0.55};
        FillPolygon(b, Star(c, std::min(out * 0.16, 11.0), std::min(out * 0.16, 11.0) * 0.42),
                    kLogoRed);
    }
    ThickLine(b, tack, clewAt, 3, kRigging);
    ThickLine(b, place({0, 0}), head, 3, kRigging);
    return b;
}

SpriteArt BoatSprite() {
    std::vector<FrameArt> frames(std::begin(kBoatFrames), std::end(kBoatFrames));
    std::vector<Bitmap> pictures;
    for (int k = 0; k < 9; ++k)
        pictures.push_back(DrawBoat(k));
    return Assemble("spriteCenterBoot", clBlue, frames, pictures);
}

SpriteArt SailSprite() {
    std::vector<FrameArt> frames;
    std::vector<Bitmap> pictures;
    for (int k = 0; k < 9; ++k) {
        const int variants = k == 4 ? 1 : 4;
        for (int v = 0; v < variants; ++v) {
            frames.push_back({std::string(kSailNames[k]) + (k == 4 ? "" : std::to_string(v + 1)),
                              kSailW[k], kSailH[k]});
            pictures.push_back(DrawSail(k, v));
        }
    }
    return Assemble("spriteCenterZeil", clBlack, frames, pictures);
}

// ---- The small pictures ----

Bitmap TextPicture(int w, int h, TColor background, const std::vector<std::string>& lines,
                   TColor ink, int height, bool bold) {
    Bitmap b(w, h);
    Canvas& c = b.GetCanvas();
    c.SetBrushColor(background);
    c.FillRect(b.BoundsRect());
    Font font;
    font.Name = "MS Sans Serif";
    font.Height = height;
    font.Bold = bold;
    font.Color = ink;
    c.SetFont(font);
    c.SetBrushStyle(BrushStyle::Clear);
    const int lineHeight = c.TextHeight("Gg");
    int y = (h - lineHeight * static_cast<int>(lines.size())) / 2;
    for (const std::string& line : lines) {
        c.TextOut((w - c.TextWidth(line)) / 2, y, line);
        y += lineHeight;
    }
    return b;
}

// Red on blue reads poorly and shimmers on any sea: the caption's letters get a dark rim all
// round and a shadow toward the lower right, so they stand on every background.
Bitmap OutlinedCaption(int w, int h, const std::vector<std::string>& lines) {
    constexpr TColor kInk = RGB(240, 24, 24);
    constexpr TColor kRim = RGB(28, 8, 8);
    const Bitmap text = TextPicture(w, h, kBlue, lines, kInk, 17, true);
    Bitmap b = Blank(w, h);
    const int around[][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1},
                             {0, 1},   {1, 1},  {2, 1},  {1, 2},  {2, 2}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (text.Pixel(x, y) != kInk)
                continue;
            for (const auto& d : around) {
                const int rx = x + d[0], ry = y + d[1];
                if (rx >= 0 && ry >= 0 && rx < w && ry < h)
                    b.SetPixel(rx, ry, kRim);
            }
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (text.Pixel(x, y) == kInk)
                b.SetPixel(x, y, kInk);
    return b;
}

Bitmap DistantSail(int width, int shape, bool left) {
    Bitmap b = Blank(width, 19);
    // Shape 1 to 4: the sail turning from edge-on toward full face.
    const double full = width - 2;
    const double mastX = left ? width - 2.0 : 1.0;
    const double dir = left ? -1 : 1;
    const double clew = full * (0.35 + 0.65 * shape / 4.0);
    FillPolygon(b,
                {{mastX, 1}, {mastX + dir * clew * 0.45, 6}, {mastX + dir * clew, 15}, {mastX, 15}},
                [&](int x, int) {
                    return Mix(RGB(252, 252, 248), RGB(200, 206, 216),
                               Quantize(std::fabs(x - mastX) / full, 3));
                });
    ThickLine(b, {mastX, 0.5}, {mastX, 16}, 1, RGB(60, 60, 66));
    FillPolygon(b, {{1, 16}, {width - 1.0, 16}, {width - 3.0, 18.6}, {3, 18.6}}, RGB(40, 40, 48));
    return b;
}

SpriteArt DistantSailSprite() {
    const std::vector<FrameArt> frames = {
        {"Hz4naarr", 15, 19}, {"Hz1naarr", 10, 19}, {"Hz2naarl", 16, 19}, {"Hz2naarr", 16, 19},
        {"Hz3naarl", 21, 19}, {"Hz3naarr", 21, 19}, {"Hz4naarl", 15, 19}, {"Hz1naarl", 10, 19}};
    std::vector<Bitmap> pictures;
    for (const FrameArt& f : frames)
        pictures.push_back(DistantSail(f.width, f.name[2] - '0', f.name.back() == 'l'));
    return Assemble("spriteVerZeil", clBlack, frames, pictures);
}

Bitmap Buoy() {
    Bitmap b = Blank(35, 35);
    const Pt c{17.5, 17.5};
    FillEllipse(b, c, 16.5, 16.5, [&](int x, int y) {
        // A lit sphere: light from the upper left, a soft rim, a bright highlight.
        const double dx = (x + 0.5 - c.x) / 16.5, dy = (y + 0.5 - c.y) / 16.5;
        const double dz = std::sqrt(std::max(0.0, 1 - dx * dx - dy * dy));
        const double light = std::clamp(-0.55 * dx - 0.6 * dy + 0.58 * dz, 0.0, 1.0);
        const double highlight = std::pow(std::max(0.0, -0.4 * dx - 0.45 * dy + 0.8 * dz), 18);
        const TColor base = Mix(RGB(120, 30, 0), RGB(255, 120, 20), Quantize(light, 24));
        return highlight > 0.35 ? Mix(base, clWhite, Quantize(highlight, 4)) : base;
    });
    FillPolygon(b, Star({17.5, 19}, 7.5, 3.1), RGB(250, 246, 236));
    return b;
}

Bitmap Panel(int w, int h) {
    Bitmap b = Blank(w, h);
    FillPolygon(b, RoundedRect(0, 0, w, h, 9), kPanelRim);
    FillPolygon(b, RoundedRect(2, 2, w - 2, h - 2, 7), [&](int, int y) {
        return Mix(RGB(40, 124, 70), RGB(26, 90, 52), Quantize(static_cast<double>(y) / h, 6));
    });
    return b;
}

Bitmap ResultStar() {
    Bitmap b = Blank(462, 449);
    const Pt c{231, 238};
    FillPolygon(b, Star(c, 228, 92), RGB(252, 252, 252));
    // The result's wipe copies a band of the star a few rows up (over the old text), so the
    // fill varies across only: any copied band then matches the band it covers, leaving no
    // seam. Lit down the middle, darker toward the side tips.
    FillPolygon(b, Star(c, 212, 85), [&](int x, int) {
        const double d = std::fabs(x + 0.5 - c.x) / 212;
        return Mix(RGB(232, 40, 44), RGB(150, 14, 22), Quantize(d * d * 0.6 + d * 0.4, 32));
    });
    return b;
}

// ---- Backgrounds ----

// Smooth value noise in [0, 1], the same on every run.
double Hash(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFFFF) / 16777215.0;
}

double SmoothNoise(double x, double y, int seed) {
    const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    const double fx = x - xi, fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed);
    const double c = Hash(xi, yi + 1, seed), d = Hash(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double Clouds(double x, double y, int seed) {
    double v = 0, amplitude = 0.5, frequency = 1.0 / 160;
    for (int octave = 0; octave < 5; ++octave) {
        v += amplitude * SmoothNoise(x * frequency, y * frequency * 2.2, seed + octave);
        amplitude /= 2;
        frequency *= 2;
    }
    return v;
}

TColor SkyAt(int x, int y, int horizon, int seed) {
    const double t = static_cast<double>(y) / horizon;
    const TColor sky = Mix(RGB(70, 130, 205), RGB(190, 220, 240), std::pow(t, 1.3));
    const double cloud = std::clamp((Clouds(x, y, seed) - 0.52) * 3.2, 0.0, 1.0) * (1 - 0.5 * t);
    return Mix(sky, RGB(250, 250, 252), cloud);
}

TColor WaterAt(int x, int y, int top, int height) {
    const double t = static_cast<double>(y - top) / height;
    const TColor deep = Mix(RGB(120, 170, 200), RGB(18, 64, 110), std::pow(t, 0.7));
    const double wave = std::sin(x * 0.045 + std::sin(y * 0.11) * 2 + y * 0.3) * 0.5 + 0.5;
    const double ripple = Clouds(x * 0.6, (y - top) * 3, 77) - 0.5;
    const double glint = wave > 0.93 && ripple > 0.08 ? 0.35 : 0;
    return Mix(Mix(deep, RGB(10, 40, 80), std::clamp(0.25 * (wave - 0.5) + 0.3 * ripple, 0.0, 1.0)),
               RGB(235, 245, 250), glint * (1 - t));
}

} // namespace

std::vector<SpriteArt> DrawSprites() {
    std::vector<SpriteArt> sprites;
    sprites.push_back(BoatSprite());
    sprites.push_back(SailSprite());
    sprites.push_back(Assemble("spriteMovingBoot", clMaroon, {{"Runtime", 44, 44}},
                               {TextPicture(44, 44, clWhite, {"Boat"}, clBlack, 11, false)}));
    sprites.push_back(Assemble("spriteDemoText", clBlue, {{"Demotext", 174, 45}},
                               {OutlinedCaption(174, 45, {"Press G to start", "the game"})}));
    sprites.push_back(DistantSailSprite());
    sprites.push_back(Assemble("spriteBoeiMarker", clBlue, {{"Boei", 35, 35}}, {Buoy()}));
    sprites.push_back(Assemble("spriteWindroos", clBlue,
                               {{"RRW_Roos", 150, 70}, {"RRW_Roos", 150, 70}},
                               {Panel(150, 70), Panel(150, 70)}));
    sprites.push_back(Assemble("spriteGameOver", clBlue, {{"dravster", 462, 449}}, {ResultStar()}));
    sprites.push_back(Assemble("spriteTijden", clBlue, {{"RR_Time", 106, 43}, {"RR_Time", 106, 43}},
                               {Panel(106, 43), Panel(106, 43)}));
    return sprites;
}

Bitmap DrawAir() {
    Bitmap b(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            b.SetPixel(x, y, SkyAt(x, y, 640, 11));
    return b;
}

Bitmap DrawWater() {
    Bitmap b(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            b.SetPixel(x, y, WaterAt(x, y, -120, 720));
    return b;
}

Bitmap DrawSea() {
    Bitmap b(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            if (y < 390) {
                TColor c = SkyAt(x, y, 390, 23);
                // A low grey coast far off on the left.
                const double coast = 376 + 9 * SmoothNoise(x / 60.0, 0.5, 5) - x * 0.02;
                if (x < 430 && y > coast)
                    c = Mix(RGB(110, 130, 140), RGB(150, 165, 172), Quantize((y - coast) / 20, 4));
                b.SetPixel(x, y, c);
            } else {
                b.SetPixel(x, y, WaterAt(x, y, 390, 210));
            }
        }
    return b;
}

Bitmap DrawColourStrip() {
    // Each column runs from a sky's zenith (or the water at the horizon) downward.
    const TColor tops[4] = {RGB(18, 52, 120), RGB(120, 185, 230), RGB(250, 160, 110),
                            RGB(90, 70, 150)};
    const TColor bottoms[4] = {RGB(40, 150, 160), RGB(30, 90, 170), RGB(255, 232, 200),
                               RGB(40, 90, 170)};
    Bitmap b(128, 400);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 128; ++x)
            b.SetPixel(x, y, Mix(tops[x / 32], bottoms[x / 32], y / 399.0));
    return b;
}

} // namespace dd::assetgen
