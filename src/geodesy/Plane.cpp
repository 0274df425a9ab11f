// Unwrapping a border's longitudes.
#include "geodesy/Plane.h"

#include <cmath>

std::vector<TPlanePoint> UnwrappedPlane(std::span<const TGeographicPoint> border) {
  constexpr double HalfTurn = 180, FullTurn = 360;
  std::vector<TPlanePoint> plane;
  plane.reserve(border.size());
  for (const TGeographicPoint& point : border) {
    double x = point.Longitude;
    if (!plane.empty()) {  // to the turn nearest the point before
      const double before = plane.back().X;
      if (std::fabs(x - before) > HalfTurn) x += FullTurn * std::round((before - x) / FullTurn);
    }
    plane.push_back({x, point.Latitude});
  }
  return plane;
}
