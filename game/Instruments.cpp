#include "game/Instruments.h"

#include "game/PanelText.h"

#include <cmath>
#include <string>

namespace dd {

const std::array<TPoint, 9> BoatPositions = {{{158, 155},
                                              {206, 123},
                                              {260, 105},
                                              {280, 97},
                                              {282, 97},
                                              {284, 97},
                                              {286, 105},
                                              {292, 123},
                                              {296, 155}}};
const std::array<TPoint, 9> SailPositions = {{{158, 165},
                                              {184, 135},
                                              {206, 119},
                                              {216, 113},
                                              {314, 111},
                                              {324, 113},
                                              {330, 119},
                                              {338, 135},
                                              {346, 165}}};

namespace {

constexpr TPoint kRoseCentre{35, 35};
constexpr double kMaxHeelForce = 11.0 / 6.0;

struct Arrow {
    double length;
    double headLength;
    double headAngle;
};

TPoint RosePoint(double length, double angle) {
    return {kRoseCentre.X + static_cast<int>(length * std::cos(angle)),
            kRoseCentre.Y - static_cast<int>(length * std::sin(angle))};
}

void DrawArrow(Canvas& c, const Arrow& arrow, double direction) {
    const TPoint tip = RosePoint(arrow.length, direction);
    const TPoint b1 = RosePoint(arrow.headLength, direction - arrow.headAngle);
    const TPoint b2 = RosePoint(arrow.headLength, direction + arrow.headAngle);
    c.SetBrushStyle(BrushStyle::Clear);
    c.MoveTo(tip.X, tip.Y);
    c.LineTo(b1.X, b1.Y);
    c.LineTo(b2.X, b2.Y);
    c.LineTo(tip.X, tip.Y);
    c.SetBrushStyle(BrushStyle::Solid);
    c.SetBrushColor(clWhite);
    c.FloodFill((tip.X + b1.X + b2.X) / 3, (tip.Y + b1.Y + b2.Y) / 3, clWhite, FillStyle::Border);
    c.LineTo(kRoseCentre.X, kRoseCentre.Y);
}

void DrawHull(Canvas& c, const TSmallBoatOutline& o, int w, int h) {
    c.SetBrushStyle(BrushStyle::Solid);
    c.SetBrushColor(clWhite);
    c.FillRect({0, 0, w, h});
    c.SetPenColor(clBlack);
    c.MoveTo(o.Hull[0].X, o.Hull[0].Y);
    for (std::size_t i = 1; i <= o.Hull.size(); ++i)
        c.LineTo(o.Hull[i % o.Hull.size()].X, o.Hull[i % o.Hull.size()].Y);
    c.SetBrushColor(clBlack);
}

void DrawBoom(Canvas& c, const TSmallBoatOutline& o) {
    c.MoveTo(o.Mast.X, o.Mast.Y);
    c.LineTo(o.BoomEnd.X, o.BoomEnd.Y);
}

} // namespace

int WindNumber(double windForce) {
    return Round((30 * windForce - 70) / 10 + 3);
}

int CurrentNumber(double currentForce) {
    return Round((300 * currentForce - 10) / 5 + 3);
}

void DrawWindRose(TFrameList& rose, const TWeather& weather, const Font& font) {
    Canvas& c = rose.ImageCanvas();
    // Drawing stays inside frame 0, so a stray fill can never spoil the clean copy.
    c.SetClipRect(rose.Frames(0).StripRect());
    rose.Frames(1).DrawFrame(c, 0, 0, false);
    c.SetBrushStyle(BrushStyle::Clear);
    c.SetPenColor(clWhite);
    c.Ellipse(5, 5, 65, 65);
    c.Ellipse(20, 20, 50, 50);
    DrawArrow(c, {30, 24, Degrees(9)}, weather.WindDir);
    DrawArrow(c, {15, 11.25, Degrees(12.6)}, weather.CurrentDir);
    c.SetPixel(kRoseCentre.X, kRoseCentre.Y, clWhite);
    DrawPanelText(c, 70, 9, "Strength of", font);
    DrawPanelText(c, 70, 24, "current = " + std::to_string(CurrentNumber(weather.CurrentForce)),
                  font);
    DrawPanelText(c, 70, 48, "Windforce = " + std::to_string(WindNumber(weather.WindForce)), font);
    c.RemoveClip();
}

int HeelIndex(const TBoatState& B, const TWeather& W) {
    const double force = MinOf(SailForce(B, W), kMaxHeelForce);
    const double across = std::fabs(std::cos(B.Sail) * force);
    const int n = Round(4.4 * across / kMaxHeelForce);
    const int index = B.Sail < 0 ? kUprightHeel - n : kUprightHeel + n;
    // Upright only for a boom exactly on the centre line.
    return index == kUprightHeel ? kUprightHeel + Round(SignOf(B.Sail)) : index;
}

int SailFrameFor(int heel, double sail) {
    int frame = 4 * heel - (heel > kUprightHeel ? 3 : 0);
    if (heel != kUprightHeel) {
        const int deg = Round(std::fabs(sail) * 180 / kPi);
        frame += (deg > 25) + (deg > 50) + (deg > 75);
    }
    return frame;
}

bool InIrons(const TBoatState& B, const TWeather& W) {
    return std::fabs(Normalized(W.WindDir + kPi - B.Heading, false)) < Degrees(45);
}

TPoint BoatPicturePoint(double angle, double r, int picWidth, int picHeight) {
    const double radius = r * 0.475 * picWidth;
    return {Round(picWidth * 0.5) + static_cast<int>(std::cos(angle) * radius),
            Round(picHeight * 0.5) - static_cast<int>(std::sin(angle) * radius)};
}

TSmallBoatOutline SmallBoatOutline(const TBoatState& B, int w, int h) {
    const double hd = B.Heading;
    const TPoint mast = BoatPicturePoint(hd, 0.4, w, h);
    const double k = std::sqrt(1 - 0.4 * 0.4) * 0.475 * w;
    const double boom = B.Sail + hd + kPi;
    return {{BoatPicturePoint(hd, 0.75, w, h), BoatPicturePoint(hd + Degrees(64.8), 0.315, w, h),
             BoatPicturePoint(hd + Degrees(163.8), 0.75, w, h),
             BoatPicturePoint(hd + Degrees(196.2), 0.75, w, h),
             BoatPicturePoint(hd + Degrees(295.2), 0.315, w, h)},
            mast,
            {mast.X + static_cast<int>(std::cos(boom) * k),
             mast.Y - static_cast<int>(std::sin(boom) * k)}};
}

void DrawSmallBoat(TFrameList& picture, const TSmallBoatOutline& outline, int picWidth,
                   int picHeight) {
    Canvas& mask = picture.Mask().GetCanvas();
    DrawHull(mask, outline, picWidth, picHeight);
    mask.FloodFill(picWidth / 2, picHeight / 2, clWhite, FillStyle::Surface);
    DrawBoom(mask, outline);

    Canvas& image = picture.ImageCanvas();
    DrawHull(image, outline, picWidth, picHeight);
    image.FloodFill(0, 0, clBlack, FillStyle::Border);
    DrawBoom(image, outline);
}

std::optional<int> HorizonSailLeft(double bearing, double heading, int fieldWidth) {
    const double x = -350 * Normalized(bearing - heading, false);
    if (x > 0 && x < fieldWidth)
        return Round(x);
    return std::nullopt;
}

} // namespace dd
