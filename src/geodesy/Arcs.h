// Arcs and circles as border points: geodesics on the WGS84 ellipsoid, at
// steps of at most 5 degrees of bearing around a centre, finer where a chord
// would depart from the arc by more than a bound.
#pragma once

#include <vector>

#include "geodesy/Geodesics.h"
#include "model/Border.h"
#include "model/GeographicPoint.h"

// Arcs are drawn at steps of at most this many degrees of bearing.
constexpr double StepDegrees = 5;

// The bound on a chord's departure from its arc, in metres, unless
// --arc-tolerance sets another within [MinArcTolerance, MaxArcTolerance].
constexpr double DefaultArcTolerance = 10;
constexpr double MinArcTolerance = 0.01;
constexpr double MaxArcTolerance = 1000;
// The finest division of a 5-degree step: enough for the largest radius an
// arc record may have (1000 NM) at the least tolerance.
constexpr int MostStepDivisions = 512;

// k, the parts of each 5-degree step at radius `metres`: the least k >= 1
// with 1 - cos(2.5/k degrees) <= tolerance / metres, the sagitta of a chord
// over 5/k degrees relative to its radius; MostStepDivisions at most.
int StepDivisions(double metres, double tolerance);

// The sweep from bearing `first` to `last` in the direction, in [0, 360):
// 0 where they are the same bearing.
double Sweep(double first, double last, TDirection direction);

// A circle: 72·k points at bearings 5·j/k degrees, j = 0 … 72·k − 1, the
// first not repeated.
void AppendCircle(const TGeographicPoint& centre, double metres, int k, std::vector<TGeographicPoint>& border);
// An arc at one distance from bearing `first` to `last`, both ends
// included, in ⌈sweep·k/5⌉ equal steps; one point where the sweep is 0.
void AppendArc(const TGeographicPoint& centre, double metres, double first, double last, TDirection direction, int k,
               std::vector<TGeographicPoint>& border);
// An arc from `start` to `end` around the centre, the distance going evenly
// from the one's to the other's: `start` itself, the points between, `end`
// itself. `fromCentre` holds the distances and bearings of the two from the
// centre (DistanceAndBearing), worked out once by a caller that checks them.
void AppendArcBetween(const TGeographicPoint& centre, const TGeographicPoint& start, const TGeographicPoint& end,
                      const TDistanceAndBearing (&fromCentre)[2], TDirection direction, int k,
                      std::vector<TGeographicPoint>& border);

// One arc or circle record's points, appended, its chords within
// `tolerance` metres of it (the larger distance of a DB's two).
void DrawArc(const TArc& arc, double tolerance, std::vector<TGeographicPoint>& points);
