// A position on the earth: an airspace's pin, each vertex of its border, the
// centre and ends of its arcs.
#pragma once

// A position in decimal degrees, north and east positive.
struct TGeographicPoint {
  double Latitude = 0;   // -90 to 90 where it came through the constructor
  double Longitude = 0;  // -180 to 180 likewise

  TGeographicPoint() = default;
  // A latitude outside -90..90 or a longitude outside -180..180 (or one that
  // is not a number) is stored as 0.
  TGeographicPoint(double latitude, double longitude);
};
