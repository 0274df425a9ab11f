// The writer of the ZRN markup, one airspace element at a time.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "model/Airspace.h"
#include "model/GeographicPoint.h"

class TStream;

// Whether a point whose two texts repeat those of the point written just
// before it in the same border is written again.
enum class TRepeats { Kept, Dropped };

// How border points are written: with Digits digits after the decimal point
// (2 to 11; the "%f" rule with that many digits), and the repeat rule.
struct TPointFormat {
  int Digits = 2;
  TRepeats Repeats = TRepeats::Kept;
};

// The pin text: ‹LAT LON›, each fixed point with 11 decimals from 15
// significant digits.
std::string PinText(const TGeographicPoint& pin);

// The airspace as ZRN markup lines: the opening line, the border and its
// points if there are any, the closing line. The border's points are given
// (geodesy/Arcs draws them from its records where it has arcs). Returns the
// points written.
std::size_t WriteAirspace(const TAirspaceView& airspace, std::span<const TGeographicPoint> border, TStream& stream,
                          TPointFormat format = {});
// With the points of the border's DP records as they are.
inline std::size_t WriteAirspace(const TAirspaceView& airspace, TStream& stream) {
  return WriteAirspace(airspace, airspace.Border.Points, stream);
}
