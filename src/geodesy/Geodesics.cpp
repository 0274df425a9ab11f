// The two geodesic problems, inverse and direct, on GeographicLib's WGS84.
#include "geodesy/Geodesics.h"

#include <GeographicLib/Geodesic.hpp>

namespace {

const GeographicLib::Geodesic& Ellipsoid() { return GeographicLib::Geodesic::WGS84(); }

}  // namespace

TDistanceAndBearing DistanceAndBearing(const TGeographicPoint& from, const TGeographicPoint& to) {
  double metres = 0, bearing = 0, bearingThere = 0;
  Ellipsoid().Inverse(from.Latitude, from.Longitude, to.Latitude, to.Longitude, metres, bearing, bearingThere);
  return {metres, bearing};
}

TGeographicPoint PointAt(const TGeographicPoint& from, double bearing, double metres) {
  TGeographicPoint point;
  Ellipsoid().Direct(from.Latitude, from.Longitude, bearing, metres, point.Latitude, point.Longitude);
  return point;
}
