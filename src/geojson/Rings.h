// A border as the rings of a GeoJSON geometry: cut at the antimeridian,
// each outside ring counter-clockwise (RFC 7946, 3.1.6 and 3.1.9).
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "model/GeographicPoint.h"

// A ring's vertex: longitude and latitude, and the border point it is, or
// NoPoint for a point where the ring was cut.
struct TRingVertex {
  static constexpr std::size_t NoPoint = static_cast<std::size_t>(-1);
  double X = 0;  // longitude, -180 to 180
  double Y = 0;  // latitude
  std::size_t Point = NoPoint;
};
using TRing = std::vector<TRingVertex>;

// The rings of a border of 3 points or more, not closed: one ring where it
// stays on one side of 180°, else one for each side it reaches, cut where
// it crosses, each point of a cut at ±180° with its latitude interpolated
// linearly in unwrapped longitude. Each ring is turned counter-clockwise by
// its signed area in longitude and latitude, where it has one; a border
// that goes round a pole is one ring in its own order.
std::vector<TRing> GeoJsonRings(std::span<const TGeographicPoint> border);
