#pragma once

// The pictures that show the boat's numbers: the wind rose, the heeling boat and sail seen
// from behind, the small boat on the sea and the distant sails on the horizon.

#include "game/Boat.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Rect.h"
#include "sprites/Sprframe.h"

#include <array>
#include <optional>

namespace dd {

// Where the boat and sail pictures stand for each heel index, in a layout 640 pixels wide with
// its horizon at row 328.
extern const std::array<TPoint, 9> BoatPositions;
extern const std::array<TPoint, 9> SailPositions;
inline constexpr int kReferenceWidth = 640;
inline constexpr int kReferenceHorizon = 328;
inline constexpr int kUprightHeel = 4;
inline constexpr int kSlackSailFrame = 16;

// The strengths the wind rose writes, 3 to 7 for the forces drawn at set-up.
int WindNumber(double windForce);
int CurrentNumber(double currentForce);
// Draws the rose for `weather` into frame 0 of `rose`, from the clean copy in frame 1.
void DrawWindRose(TFrameList& rose, const TWeather& weather, const Font& font);

// 0 to 8: how far the hull heels, to the boom's side.
int HeelIndex(const TBoatState& B, const TWeather& W);
// The sail frame for a heel index and boom angle: by heel, then by how far the boom is out.
int SailFrameFor(int heel, double sail);
// Whether the bow points within 45 degrees of where the wind comes from.
bool InIrons(const TBoatState& B, const TWeather& W);

TPoint BoatPicturePoint(double angle, double r, int picWidth, int picHeight);

// The corners of the small white boat's hull and the ends of its boom, in its picture: all
// that its drawing depends on.
struct TSmallBoatOutline {
    std::array<TPoint, 5> Hull;
    TPoint Mast;
    TPoint BoomEnd;
    bool operator==(const TSmallBoatOutline&) const = default;
};
TSmallBoatOutline SmallBoatOutline(const TBoatState& B, int picWidth, int picHeight);
// Draws the small boat into the colour and mask strips of `picture`.
void DrawSmallBoat(TFrameList& picture, const TSmallBoatOutline& outline, int picWidth,
                   int picHeight);

// The left edge of a distant sail on the horizon, or nothing when it is off the field.
std::optional<int> HorizonSailLeft(double bearing, double heading, int fieldWidth);

} // namespace dd
