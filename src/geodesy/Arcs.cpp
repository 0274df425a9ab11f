// Arc and circle points along geodesics; the steps are worked out in plain double arithmetic, in the same order
// everywhere, so that every platform gives the same points.
#include "geodesy/Arcs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <variant>

namespace {

constexpr double FullTurn = 360;
constexpr double Pi = 3.141592653589793;

// sin x by its series, for |x| below 0.03 (a quarter of 5 degrees), where
// eight terms are far more than a double holds.
constexpr double SinOfSmall(double x) {
  double term = x, sum = x;
  for (int n = 1; n < 8; ++n) {
    term *= -x * x / ((2.0 * n) * (2.0 * n + 1));
    sum += term;
  }
  return sum;
}

// Sagittas[k] = 1 - cos(2.5/k degrees) = 2 sin²(1.25/k degrees), worked out
// at compile time in double arithmetic, so that no libm decides a division.
constexpr std::array<double, MostStepDivisions + 1> Sagittas = [] {
  std::array<double, MostStepDivisions + 1> table{};
  table[0] = 2;  // no step: never taken
  for (int k = 1; k <= MostStepDivisions; ++k) {
    const double half = SinOfSmall(StepDegrees / 4 / k * Pi / 180);
    table[k] = 2 * half * half;
  }
  return table;
}();
static_assert(Sagittas[1] > 9.51e-4 && Sagittas[1] < 9.52e-4, "1 - cos 2.5°");
// The finest division serves 0.01 m at 1000 NM (1,852,000 m).
static_assert(Sagittas[MostStepDivisions] < 0.01 / 1852000, "the table reaches every radius");

// The steps of a sweep, each at most 5/k degrees: ceil(sweep·k / 5).
int StepsOf(double sweep, int k) { return static_cast<int>(std::ceil(sweep * k / StepDegrees)); }

double Direction(TDirection direction) { return static_cast<double>(static_cast<int>(direction)); }

// The bearing i n-ths of the sweep on from `first`.
double BearingAt(double first, double sweep, int i, int n, TDirection direction) {
  return first + Direction(direction) * (sweep * i / n);
}

}  // namespace

int StepDivisions(double metres, double tolerance) {
  const double bound = tolerance / metres;
  // The sagittas fall as k grows: the first at or below the bound.
  const auto first = std::find_if(Sagittas.begin() + 1, Sagittas.end(), [&](double s) { return s <= bound; });
  return first == Sagittas.end() ? MostStepDivisions : static_cast<int>(first - Sagittas.begin());
}

double Sweep(double first, double last, TDirection direction) {
  double sweep = std::fmod(Direction(direction) * (last - first), FullTurn);
  if (sweep < 0) sweep += FullTurn;
  return sweep == FullTurn ? 0 : sweep;  // a sum that rounds to a full turn
}

void AppendCircle(const TGeographicPoint& centre, double metres, int k, std::vector<TGeographicPoint>& border) {
  constexpr int Steps = static_cast<int>(FullTurn / StepDegrees);
  static_assert(Steps * StepDegrees == FullTurn, "the steps close the circle");
  for (int j = 0; j < Steps * k; ++j) border.push_back(PointAt(centre, StepDegrees * j / k, metres));
}

void AppendArc(const TGeographicPoint& centre, double metres, double first, double last, TDirection direction, int k,
               std::vector<TGeographicPoint>& border) {
  const double sweep = Sweep(first, last, direction);
  if (sweep == 0) {
    border.push_back(PointAt(centre, first, metres));
    return;
  }
  const int n = StepsOf(sweep, k);
  for (int i = 0; i <= n; ++i) border.push_back(PointAt(centre, BearingAt(first, sweep, i, n, direction), metres));
}

void AppendArcBetween(const TGeographicPoint& centre, const TGeographicPoint& start, const TGeographicPoint& end,
                      const TDistanceAndBearing (&fromCentre)[2], TDirection direction, int k,
                      std::vector<TGeographicPoint>& border) {
  const TDistanceAndBearing& from = fromCentre[0];
  const TDistanceAndBearing& to = fromCentre[1];
  const double sweep = Sweep(from.Bearing, to.Bearing, direction);
  border.push_back(start);
  if (sweep != 0) {
    const int n = StepsOf(sweep, k);
    for (int i = 1; i < n; ++i) {
      const double metres = from.Metres + (to.Metres - from.Metres) * i / n;
      border.push_back(PointAt(centre, BearingAt(from.Bearing, sweep, i, n, direction), metres));
    }
  }
  border.push_back(end);
}

namespace {

// Each kind of arc record drawn: one visit.
struct TArcDrawer {
  double Tolerance;
  std::vector<TGeographicPoint>& Points;
  void operator()(const TCircle& circle) const {
    AppendCircle(circle.Centre, circle.Metres, StepDivisions(circle.Metres, Tolerance), Points);
  }
  void operator()(const TArcByBearings& arc) const {
    AppendArc(arc.Centre, arc.Metres, arc.First, arc.Last, arc.Direction, StepDivisions(arc.Metres, Tolerance), Points);
  }
  void operator()(const TArcBetween& arc) const {
    const TDistanceAndBearing fromCentre[2] = {{arc.Start.Metres, arc.Start.Bearing},
                                               {arc.End.Metres, arc.End.Bearing}};
    const int k = StepDivisions(std::max(arc.Start.Metres, arc.End.Metres), Tolerance);
    AppendArcBetween(arc.Centre, arc.Start.Point, arc.End.Point, fromCentre, arc.Direction, k, Points);
  }
};

}  // namespace

void DrawArc(const TArc& arc, double tolerance, std::vector<TGeographicPoint>& points) {
  std::visit(TArcDrawer{tolerance, points}, arc.Shape);
}
