#pragma once

// The demonstration's helmsman: once per tick it sets the rudder and the sheet as a sailor
// would, steering for the buoy or, when the buoy lies up-wind, close-hauled on the current tack.

#include "game/Boat.h"

#include <array>

namespace dd {

// Sheet settings in degrees by the angle between heading and wind direction, in 5 degree steps
// from a dead run (0) to head to wind (36).
extern const std::array<double, 37> SheetTable;

inline constexpr double kCloseHauled = Degrees(50);
inline constexpr double kRudderStep = Degrees(15);
inline constexpr double kSheetStep = Degrees(20);

// Steers `boat` toward `buoy` on `field`; writes only its Rudder and SailLimit.
void AutoPilot(TBoatState& boat, const TWeather& weather, TRealPoint buoy,
               const TFieldLimits& field);

} // namespace dd
