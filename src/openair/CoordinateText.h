// Coordinate texts of AT and DP records read as latitude and longitude.
#pragma once

#include <string_view>

#include "model/GeographicPoint.h"

struct TCoordinates {
  double Latitude = 0;
  double Longitude = 0;
};

// The position an OpenAir coordinate text gives, decimal degrees, north and
// east positive; no range check. Raises EConvertError for an invalid number
// and EOverflow for a sum beyond the range of a double.
TCoordinates ReadCoordinateText(std::string_view text);

// The point of an AT or DP record's coordinate text, as ReadCoordinateText
// reads it (no range check).
inline TGeographicPoint ReadPoint(std::string_view text) {
  const TCoordinates coordinates = ReadCoordinateText(text);
  TGeographicPoint point;
  point.Latitude = coordinates.Latitude;
  point.Longitude = coordinates.Longitude;
  return point;
}

// The two ways it reads: the usual forms in one pass, false with
// `coordinates` unchanged for any other text; and the full scan of every
// form, which the usual forms must match.
bool ReadUsualCoordinateText(std::string_view text, TCoordinates& coordinates);
TCoordinates ScanCoordinateText(std::string_view text);

// As ReadCoordinateText, telling whether the text was of a usual form, which
// can raise no doubt but of its numbers' range.
inline TCoordinates ReadCoordinateText(std::string_view text, bool& usual) {
  TCoordinates coordinates;
  usual = ReadUsualCoordinateText(text, coordinates);
  if (!usual) coordinates = ScanCoordinateText(text);
  return coordinates;
}
