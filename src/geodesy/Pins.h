// An airspace's label point where it has none: the point of its border's
// inside farthest from the border (its pole of inaccessibility).
#pragma once

#include <span>

#include "model/GeographicPoint.h"

// The search stops where no cell can hold a point farther from the border
// than the best found by more than this share of the bounding box's larger
// side.
constexpr double PinPrecisionShare = 1.0 / 1000;

// The pole of inaccessibility of the ring of at least 3 points (closed or
// not), in the plane x = lon·cos(lat0), y = lat in degrees, longitudes
// unwrapped across 180°, lat0 the middle of the ring's latitudes: a point
// inside it by the even-odd rule whose distance to the nearest edge is
// within PinPrecisionShare of the box's larger side of the largest there
// is. Its longitude back within -180 to 180. The points are taken to 1e-9
// degree and the search uses no libm, so that every platform finds the same
// point.
TGeographicPoint PoleOfInaccessibility(std::span<const TGeographicPoint> ring);
