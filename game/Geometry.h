#pragma once

// Plane geometry of the game. Positions are field pixels from the field centre, x to the right
// and y downward; angles are radians, 0 pointing right and positive counter-clockwise on the
// screen, so direction a has the unit vector (cos a, -sin a).

namespace dd {

struct TRealPoint {
    double X = 0;
    double Y = 0;
};

struct TPolar {
    double Length = 0;
    double Angle = 0;
};

struct TSegment {
    TRealPoint Start;
    TRealPoint End;
};

inline constexpr double kPi = 3.14159265358979323846;

// Brings A into [0, 2pi) when Positive, else into (-pi, pi].
void NormalizeAngle(double& A, bool Positive);
// A brought into range as NormalizeAngle does.
double Normalized(double A, bool Positive);
inline constexpr double Degrees(double d) {
    return d * kPi / 180;
}
// Rounds to the nearest integer, halves to the even neighbour.
int Round(double V);
TPolar ToPolar(TRealPoint V);
TRealPoint FromPolar(TPolar P);
double SignOf(double V);
double MaxOf(double A, double B);
double MinOf(double A, double B);
double SegmentLength(const TSegment& S);
// The crossing of the lines through A and B; true when it lies on both segments.
bool SegmentIntersection(const TSegment& A, const TSegment& B, TRealPoint& Point,
                         bool& TouchesStart);

} // namespace dd
