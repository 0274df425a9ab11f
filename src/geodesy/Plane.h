// A border taken as a plane of longitude and latitude, in degrees, its
// longitudes unwrapped where it crosses 180 degrees: the figure the checks
// of a border's shape look at.
#pragma once

#include <span>
#include <vector>

#include "model/GeographicPoint.h"

struct TPlanePoint {
  double X = 0;  // longitude, unwrapped
  double Y = 0;  // latitude
  bool operator==(const TPlanePoint&) const = default;
};

// Each longitude moved by whole turns to lie within 180 degrees of the one
// before it.
std::vector<TPlanePoint> UnwrappedPlane(std::span<const TGeographicPoint> border);
