// The writer of the ZRN markup, one airspace element at a time.
#pragma once

#include <cstddef>
#include <string>

#include "geodesy/Draw.h"
#include "model/GeographicPoint.h"

class TStream;

// Whether a point whose two texts repeat those of the point written just
// before it in the same border is written again.
enum class TRepeats { Kept, Dropped };

// How airspaces are written: border points with Digits digits after the
// decimal point (2 to 11; the "%f" rule with that many digits), the repeat
// rule, and whether the floor and ceiling follow the name.
struct TWriteFormat {
  int Digits = 2;
  TRepeats Repeats = TRepeats::Kept;
  bool Limits = false;
};

// The pin text: ‹LAT LON›, each fixed point with 11 decimals from 15
// significant digits.
std::string PinText(const TGeographicPoint& pin);

// The airspace as ZRN markup lines: the opening line (with the limits after
// the name where the format asks), the border as drawn and its points if
// there are any, the closing line. Returns the points written.
std::size_t WriteAirspace(const TDrawnAirspace& drawn, TStream& stream, TWriteFormat format = {});
