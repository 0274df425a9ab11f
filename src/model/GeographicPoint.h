// A position on the earth: an airspace's pin and each vertex of its border.
#pragma once

#include <string>
#include <string_view>

// A position in decimal degrees, north and east positive.
class TGeographicPoint {
public:
  double Latitude = 0;
  double Longitude = 0;

  TGeographicPoint() = default;
  // Create: a latitude outside -90..90 or a longitude outside -180..180
  // (or one that is not a number) is stored as 0.
  TGeographicPoint(double latitude, double longitude);

  // Replaces both fields by the position the OpenAir coordinate text gives
  // (see ReadCoordinateText); a text that fails leaves the point unchanged.
  void SetFromText(std::string_view text);

  // ‹LAT LON›, each fixed point with 11 decimals from 15 significant digits.
  std::string AsPinText() const;
};
