#include "game/Geometry.h"

#include <cmath>

namespace dd {
namespace {

bool IsVertical(const TSegment& s) {
    return s.Start.X == s.End.X;
}
bool IsHorizontal(const TSegment& s) {
    return s.Start.Y == s.End.Y;
}
bool IsPoint(const TSegment& s) {
    return IsVertical(s) && IsHorizontal(s);
}

bool Between(double v, double a, double b) {
    return v >= MinOf(a, b) && v <= MaxOf(a, b);
}

} // namespace

void NormalizeAngle(double& A, bool Positive) {
    if (!std::isfinite(A))
        return;
    // Far-off angles are brought near first so the loops below stay short.
    if (std::fabs(A) > 1e6)
        A = std::fmod(A, 2 * kPi);
    while (A < 0)
        A += 2 * kPi;
    while (A >= 2 * kPi)
        A -= 2 * kPi;
    if (!Positive && A > kPi)
        A -= 2 * kPi;
}

double Normalized(double A, bool Positive) {
    NormalizeAngle(A, Positive);
    return A;
}

int Round(double V) {
    // Out-of-range values saturate instead of overflowing.
    constexpr double kLimit = 2147483647.0;
    const double r = std::nearbyint(V);
    if (!(r > -kLimit))
        return std::isnan(r) ? 0 : -2147483647;
    return r < kLimit ? static_cast<int>(r) : 2147483647;
}

TPolar ToPolar(TRealPoint V) {
    TPolar p;
    p.Length = std::sqrt(V.X * V.X + V.Y * V.Y);
    if (V.X == 0) {
        p.Angle = V.Y >= 0 ? 3 * kPi / 2 : kPi / 2;
        return p;
    }
    double alpha = std::atan(std::fabs(V.Y / V.X));
    if (V.X > 0 && V.Y <= 0)
        p.Angle = alpha;
    else if (V.X < 0 && V.Y < 0)
        p.Angle = kPi - alpha;
    else if (V.X < 0)
        p.Angle = kPi + alpha;
    else
        p.Angle = 2 * kPi - alpha;
    return p;
}

TRealPoint FromPolar(TPolar P) {
    return {P.Length * std::cos(P.Angle), -P.Length * std::sin(P.Angle)};
}

double SignOf(double V) {
    return V > 0 ? 1.0 : (V < 0 ? -1.0 : 0.0);
}
double MaxOf(double A, double B) {
    return A > B ? A : B;
}
double MinOf(double A, double B) {
    return A < B ? A : B;
}

double SegmentLength(const TSegment& S) {
    return std::hypot(S.End.X - S.Start.X, S.End.Y - S.Start.Y);
}

bool SegmentIntersection(const TSegment& A, const TSegment& B, TRealPoint& Point,
                         bool& TouchesStart) {
    TouchesStart = false;
    if ((IsVertical(A) && IsVertical(B)) || (IsHorizontal(A) && IsHorizontal(B)) || IsPoint(A) ||
        IsPoint(B)) {
        Point = {0, 0};
        return false;
    }
    if ((IsVertical(A) && IsHorizontal(B)) || (IsHorizontal(A) && IsVertical(B))) {
        const TSegment& v = IsVertical(A) ? A : B;
        const TSegment& h = IsVertical(A) ? B : A;
        Point = {v.Start.X, h.Start.Y};
        return Between(Point.X, h.Start.X, h.End.X) && Between(Point.Y, v.Start.Y, v.End.Y);
    }
    const double ax = A.End.X - A.Start.X, ay = A.End.Y - A.Start.Y;
    const double bx = B.End.X - B.Start.X, by = B.End.Y - B.Start.Y;
    const double denominator = ax * by - ay * bx;
    if (denominator == 0) {
        Point = {0, 0};
        return false;
    }
    const double dx = B.Start.X - A.Start.X, dy = B.Start.Y - A.Start.Y;
    const double t = (dx * by - dy * bx) / denominator;
    const double u = (dx * ay - dy * ax) / denominator;
    // Offsets round half to even, as the platform's Round does.
    Point = {B.Start.X + std::nearbyint(u * bx), B.Start.Y + std::nearbyint(u * by)};
    TouchesStart = t == 0 || u == 0;
    return t >= 0 && t <= 1 && u >= 0 && u <= 1;
}

} // namespace dd
