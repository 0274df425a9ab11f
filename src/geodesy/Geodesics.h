// Distances and bearings on the WGS84 ellipsoid, through GeographicLib: what
// the reader measures to check a record, and what arcs are drawn with.
#pragma once

#include "model/GeographicPoint.h"

constexpr double MetresPerNauticalMile = 1852;  // exactly, by definition

// The distance in metres and the bearing (degrees true, clockwise from
// north, -180 to 180) from one point to another, and the point at a distance
// and bearing from one. Latitudes -90 to 90; any longitude.
struct TDistanceAndBearing {
  double Metres;
  double Bearing;
};
TDistanceAndBearing DistanceAndBearing(const TGeographicPoint& from, const TGeographicPoint& to);
TGeographicPoint PointAt(const TGeographicPoint& from, double bearing, double metres);
