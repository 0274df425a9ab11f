// A position's range-checked creation.
#include "model/GeographicPoint.h"

namespace {

bool InRange(double value, double limit) { return value >= -limit && value <= limit; }

}  // namespace

TGeographicPoint::TGeographicPoint(double latitude, double longitude)
    : Latitude(InRange(latitude, 90) ? latitude : 0), Longitude(InRange(longitude, 180) ? longitude : 0) {}
