// The arc records of OpenAir, V X=, V D=, DA, DB and DC, read from their
// values into border records.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Border.h"
#include "model/GeographicPoint.h"

// What the V records have set: the centre lasts until the next V X=, across
// airspaces; the direction starts clockwise and every AC sets it back.
struct TArcSettings {
  std::optional<TGeographicPoint> Centre;
  std::uint64_t CentreLine = 0;  // the line of the V X= that set it
  TDirection Direction = TDirection::Clockwise;
};

// Each takes a record's value, its tokens after the keyword joined by single
// blanks, and returns the reason it cannot be used, empty where it was. Each
// clears `plain` where a coordinate it read was of no usual form or has a
// longitude beyond 180: only then can the coordinate raise a doubt.
// V on input line `line`: ‹X=coordinate› sets the centre, ‹D=+› or ‹D=-›
// the direction; every other key, and a value without "=", is ignored.
std::string ApplyVariable(std::string_view value, std::uint64_t line, TArcSettings& settings, bool& plain);
// A V value's key, before "=" and trimmed: "X", "D", or another.
std::string_view VariableKey(std::string_view value);
// The others fill `arc` (all but its line and position) where they can be
// used, with the settings in force:
// DC radius: a circle around the centre, radius in nautical miles.
std::string ReadCircle(std::string_view value, const TArcSettings& settings, TArc& arc, bool& plain);
// DA radius, first bearing, last bearing: an arc around the centre.
std::string ReadArc(std::string_view value, const TArcSettings& settings, TArc& arc, bool& plain);
// DB coordinate, coordinate: an arc around the centre from the one to the
// other. The coordinates are split at the one comma, or where there are
// three, at the second, where each half then holds its own hemispheres.
std::string ReadArcBetween(std::string_view value, const TArcSettings& settings, TArc& arc, bool& plain);

// The coordinate texts of a DB value (`between`), split as ReadArcBetween
// splits them, or of a V X= value; none for another V.
std::vector<std::string_view> ArcCoordinateTexts(std::string_view value, bool between);
