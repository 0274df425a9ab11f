// The values of AL and AH records read as vertical limits.
#pragma once

#include <string_view>

#include "model/VerticalLimit.h"

// The limit a record's value gives, its tokens joined as a DP value is:
// read without regard to case and with every blank, tab and control byte
// removed. GND, SFC, GROUND, SURFACE; UNL, UNLTD, UNLIM, UNLIMITED (a unit
// may follow); FL and digits; or a number (digits, optionally "." and
// digits) with a unit (FT, F, FEET, none: feet; M, METER, METERS, METRE,
// METRES: metres) and a reference (MSL, AMSL, ALT, none: above sea level;
// AGL, ASFC, SFC, GND, AGND: above the ground), each optional, in either
// order. Any other text is Unreadable, kept as written; an empty one None.
TVerticalLimit ReadVerticalLimit(std::string_view value);
