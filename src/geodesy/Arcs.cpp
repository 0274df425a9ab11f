// Arc and circle points along geodesics; the steps are worked out in plain double arithmetic, in the same order
// everywhere, so that every platform gives the same points.
#include "geodesy/Arcs.h"

#include <cmath>
#include <variant>

namespace {

constexpr double FullTurn = 360;

// The steps of a sweep, each at most StepDegrees: ceil(sweep / 5).
int StepsOf(double sweep) { return static_cast<int>(std::ceil(sweep / StepDegrees)); }

double Direction(TDirection direction) { return static_cast<double>(static_cast<int>(direction)); }

// The bearing k n-ths of the sweep on from `first`.
double BearingAt(double first, double sweep, int k, int n, TDirection direction) {
  return first + Direction(direction) * (sweep * k / n);
}

}  // namespace

double Sweep(double first, double last, TDirection direction) {
  double sweep = std::fmod(Direction(direction) * (last - first), FullTurn);
  if (sweep < 0) sweep += FullTurn;
  return sweep == FullTurn ? 0 : sweep;  // a sum that rounds to a full turn
}

void AppendCircle(const TGeographicPoint& centre, double metres, std::vector<TGeographicPoint>& border) {
  constexpr int Points = static_cast<int>(FullTurn / StepDegrees);
  static_assert(Points * StepDegrees == FullTurn, "the steps close the circle");
  for (int k = 0; k < Points; ++k) border.push_back(PointAt(centre, k * StepDegrees, metres));
}

void AppendArc(const TGeographicPoint& centre, double metres, double first, double last, TDirection direction,
               std::vector<TGeographicPoint>& border) {
  const double sweep = Sweep(first, last, direction);
  if (sweep == 0) {
    border.push_back(PointAt(centre, first, metres));
    return;
  }
  const int n = StepsOf(sweep);
  for (int k = 0; k <= n; ++k) border.push_back(PointAt(centre, BearingAt(first, sweep, k, n, direction), metres));
}

void AppendArcBetween(const TGeographicPoint& centre, const TGeographicPoint& start, const TGeographicPoint& end,
                      const TDistanceAndBearing (&fromCentre)[2], TDirection direction,
                      std::vector<TGeographicPoint>& border) {
  const TDistanceAndBearing& from = fromCentre[0];
  const TDistanceAndBearing& to = fromCentre[1];
  const double sweep = Sweep(from.Bearing, to.Bearing, direction);
  border.push_back(start);
  if (sweep != 0) {
    const int n = StepsOf(sweep);
    for (int k = 1; k < n; ++k) {
      const double metres = from.Metres + (to.Metres - from.Metres) * k / n;
      border.push_back(PointAt(centre, BearingAt(from.Bearing, sweep, k, n, direction), metres));
    }
  }
  border.push_back(end);
}

namespace {

// Each kind of arc record drawn: one visit.
struct TArcDrawer {
  std::vector<TGeographicPoint>& Points;
  void operator()(const TCircle& circle) const { AppendCircle(circle.Centre, circle.Metres, Points); }
  void operator()(const TArcByBearings& arc) const {
    AppendArc(arc.Centre, arc.Metres, arc.First, arc.Last, arc.Direction, Points);
  }
  void operator()(const TArcBetween& arc) const {
    const TDistanceAndBearing fromCentre[2] = {{arc.Start.Metres, arc.Start.Bearing},
                                               {arc.End.Metres, arc.End.Bearing}};
    AppendArcBetween(arc.Centre, arc.Start.Point, arc.End.Point, fromCentre, arc.Direction, Points);
  }
};

}  // namespace

void DrawArc(const TArc& arc, std::vector<TGeographicPoint>& points) { std::visit(TArcDrawer{points}, arc.Shape); }
