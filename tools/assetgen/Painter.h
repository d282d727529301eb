#pragma once

// Drawing helpers of the picture generator: filled polygons with hard edges, so that no edge
// pixel blends toward the blue background.

#include "platform/gfx/Bitmap.h"

#include <functional>
#include <vector>

namespace dd::assetgen {

struct Pt {
    double x = 0;
    double y = 0;
};

using Shader = std::function<TColor(int x, int y)>;

// Fills the pixels whose centres lie inside the polygon (even-odd rule).
void FillPolygon(Bitmap& b, const std::vector<Pt>& polygon, const Shader& shade);
void FillPolygon(Bitmap& b, const std::vector<Pt>& polygon, TColor color);
// A straight band `width` pixels wide from a to b.
void ThickLine(Bitmap& b, Pt a, Pt c, double width, TColor color);
void FillEllipse(Bitmap& b, Pt centre, double rx, double ry, const Shader& shade);
// A rectangle with rounded corners.
std::vector<Pt> RoundedRect(double left, double top, double right, double bottom, double radius);
// A five-pointed star, one tip straight up.
std::vector<Pt> Star(Pt centre, double outer, double inner);
TColor Mix(TColor a, TColor b, double t);
// Rounds t in [0, 1] to one of `levels` steps, keeping the colour count of a strip small.
double Quantize(double t, int levels);

} // namespace dd::assetgen
