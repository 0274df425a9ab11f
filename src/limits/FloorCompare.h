// Whether a floor lies at or above a height: the floor filter's one rule.
#pragma once

#include "model/VerticalLimit.h"

// Whether a floor lies at or above the limit, a flight level or a height
// above sea level, in feet, exactly: a flight level n as 100 n ft, metres as
// 1/0.3048 ft; a floor above the ground as at least its height above sea
// level. A floor that is missing or cannot be read is below (the airspace
// stays on the map); UNL is above.
bool FloorAtOrAbove(const TVerticalLimit& floor, const TVerticalLimit& limit);

// Whether a floor lies at or above its ceiling, where both can be read and
// count from the same reference (the sea, or the ground), exactly as above;
// UNL is above everything, and GND is 0 above the ground.
bool FloorAtOrAboveCeiling(const TVerticalLimit& floor, const TVerticalLimit& ceiling);
