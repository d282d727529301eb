#include "tools/assetgen/Painter.h"

#include <algorithm>
#include <cmath>

namespace dd::assetgen {

void FillPolygon(Bitmap& b, const std::vector<Pt>& poly, const Shader& shade) {
    if (poly.size() < 3)
        return;
    double top = poly[0].y, bottom = poly[0].y;
    for (const Pt& p : poly) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int y1 = std::min(b.Height() - 1, static_cast<int>(std::ceil(bottom)));
    std::vector<double> xs;
    for (int y = y0; y <= y1; ++y) {
        const double cy = y + 0.5;
        xs.clear();
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const Pt& a = poly[i];
            const Pt& c = poly[(i + 1) % poly.size()];
            if ((a.y <= cy) != (c.y <= cy))
                xs.push_back(a.x + (cy - a.y) / (c.y - a.y) * (c.x - a.x));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int from = std::max(0, static_cast<int>(std::ceil(xs[i] - 0.5)));
            const int to = std::min(b.Width() - 1, static_cast<int>(std::floor(xs[i + 1] - 0.5)));
            for (int x = from; x <= to; ++x)
                b.SetPixel(x, y, shade(x, y));
        }
    }
}

void FillPolygon(Bitmap& b, const std::vector<Pt>& polygon, TColor color) {
    FillPolygon(b, polygon, [color](int, int) { return color; });
}

void ThickLine(Bitmap& b, Pt a, Pt c, double width, TColor color) {
    const double dx = c.x - a.x, dy = c.y - a.y;
    const double length = std::hypot(dx, dy);
    if (length == 0)
        return;
    const double nx = -dy / length * width / 2, ny = dx / length * width / 2;
    FillPolygon(
        b, {{a.x + nx, a.y + ny}, {c.x + nx, c.y + ny}, {c.x - nx, c.y - ny}, {a.x - nx, a.y - ny}},
        color);
}

void FillEllipse(Bitmap& b, Pt centre, double rx, double ry, const Shader& shade) {
    std::vector<Pt> poly;
    for (int i = 0; i < 96; ++i) {
        const double a = 2 * 3.14159265358979323846 * i / 96;
        poly.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
    }
    FillPolygon(b, poly, shade);
}

std::vector<Pt> RoundedRect(double left, double top, double right, double bottom, double r) {
    std::vector<Pt> poly;
    const Pt centres[4] = {
        {right - r, top + r}, {right - r, bottom - r}, {left + r, bottom - r}, {left + r, top + r}};
    for (int corner = 0; corner < 4; ++corner)
        for (int i = 0; i <= 8; ++i) {
            const double a = (corner * 90.0 - 90 + i * 90.0 / 8) * 3.14159265358979323846 / 180;
            poly.push_back(
                {centres[corner].x + r * std::cos(a), centres[corner].y + r * std::sin(a)});
        }
    return poly;
}

std::vector<Pt> Star(Pt centre, double outer, double inner) {
    std::vector<Pt> poly;
    for (int i = 0; i < 10; ++i) {
        const double a = (-90 + 36.0 * i) * 3.14159265358979323846 / 180;
        const double r = i % 2 ? inner : outer;
        poly.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
    return poly;
}

TColor Mix(TColor a, TColor b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [t](int x, int y) { return static_cast<std::uint8_t>(std::lround(x + (y - x) * t)); };
    return RGB(ch(RedOf(a), RedOf(b)), ch(GreenOf(a), GreenOf(b)), ch(BlueOf(a), BlueOf(b)));
}

double Quantize(double t, int levels) {
    return std::round(std::clamp(t, 0.0, 1.0) * (levels - 1)) / (levels - 1);
}

} // namespace dd::assetgen
