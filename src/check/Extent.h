// The extent of a file's points: their least and greatest latitude and
// longitude, in degrees.
#pragma once

#include <algorithm>
#include <limits>
#include <span>

#include "model/GeographicPoint.h"

struct TExtent {
  double South = std::numeric_limits<double>::infinity();
  double North = -std::numeric_limits<double>::infinity();
  double West = std::numeric_limits<double>::infinity();
  double East = -std::numeric_limits<double>::infinity();

  void Add(std::span<const TGeographicPoint> points) {
    for (const TGeographicPoint& point : points) {
      South = std::min(South, point.Latitude);
      North = std::max(North, point.Latitude);
      West = std::min(West, point.Longitude);
      East = std::max(East, point.Longitude);
    }
  }
  bool Empty() const { return South > North; }
};
