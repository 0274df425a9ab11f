// Arcs and circles as border points: geodesics on the WGS84 ellipsoid, at
// steps of at most 5 degrees of bearing around a centre.
#pragma once

#include <vector>

#include "geodesy/Geodesics.h"
#include "model/Border.h"
#include "model/GeographicPoint.h"

// Arcs are drawn at steps of at most this many degrees of bearing.
constexpr double StepDegrees = 5;

// The sweep from bearing `first` to `last` in the direction, in [0, 360):
// 0 where they are the same bearing.
double Sweep(double first, double last, TDirection direction);

// A circle: 72 points at bearings 0, 5, ..., 355 degrees, the first not
// repeated.
void AppendCircle(const TGeographicPoint& centre, double metres, std::vector<TGeographicPoint>& border);
// An arc at one distance from bearing `first` to `last`, both ends
// included; one point where the sweep is 0.
void AppendArc(const TGeographicPoint& centre, double metres, double first, double last, TDirection direction,
               std::vector<TGeographicPoint>& border);
// An arc from `start` to `end` around the centre, the distance going evenly
// from the one's to the other's: `start` itself, the points between, `end`
// itself. `fromCentre` holds the distances and bearings of the two from the
// centre (DistanceAndBearing), worked out once by a caller that checks them.
void AppendArcBetween(const TGeographicPoint& centre, const TGeographicPoint& start, const TGeographicPoint& end,
                      const TDistanceAndBearing (&fromCentre)[2], TDirection direction,
                      std::vector<TGeographicPoint>& border);

// One arc or circle record's points, appended.
void DrawArc(const TArc& arc, std::vector<TGeographicPoint>& points);
