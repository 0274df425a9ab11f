// The arc records of OpenAir, V X=, V D=, DA, DB and DC, read from their
// values into border records.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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
// blanks, and returns the reason it cannot be used, empty where it was.
// V on input line `line`: ‹X=coordinate› sets the centre, ‹D=+› or ‹D=-›
// the direction; every other key, and a value without "=", is ignored.
std::string ApplyVariable(std::string_view value, std::uint64_t line, TArcSettings& settings);
// The others fill `arc` (all but its line and position) where they can be
// used, with the settings in force:
// DC radius: a circle around the centre, radius in nautical miles.
std::string ReadCircle(std::string_view value, const TArcSettings& settings, TArc& arc);
// DA radius, first bearing, last bearing: an arc around the centre.
std::string ReadArc(std::string_view value, const TArcSettings& settings, TArc& arc);
// DB coordinate, coordinate: an arc around the centre from the one to the
// other. The coordinates are split at the one comma, or where there are
// three, at the second, where each half then holds its own hemispheres.
std::string ReadArcBetween(std::string_view value, const TArcSettings& settings, TArc& arc);
