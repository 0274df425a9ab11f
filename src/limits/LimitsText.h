// The floor and ceiling as --limits writes them after an airspace's name.
#pragma once

#include <string>

#include "model/VerticalLimit.h"

// ‹ FLOOR-CEILING›, each as read (GND, FL65, 2000FT AGL, or as written), a
// missing one "?"; nothing where both are missing; no blank before them
// where the name is empty.
std::string LimitsText(bool nameEmpty, const TVerticalLimit& floor, const TVerticalLimit& ceiling);
