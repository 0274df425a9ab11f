// The pole of inaccessibility by a grid of square cells, the most promising
// cell split first (a priority queue by the distance a cell could hold).
#include "geodesy/Pins.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>
#include <vector>

#include "geodesy/Plane.h"

namespace {

constexpr double DegreesToRadians = 3.141592653589793 / 180;
constexpr double Sqrt2 = 1.4142135623730951;

// cos of an angle of -90 to 90 degrees by its series in plain double
// arithmetic, the same bits on every platform: a libm's last bit would move
// the search's cells, and with them which of two nearly equal cells wins.
double CosOfLatitude(double degrees) {
  const double x = degrees * DegreesToRadians;  // |x| <= pi/2: 14 terms are far more than a double holds
  double term = 1, sum = 1;
  for (int n = 1; n < 14; ++n) {
    term *= -x * x / ((2.0 * n - 1) * (2.0 * n));
    sum += term;
  }
  return sum;
}

// The ring in the plane of the search, x scaled by cos(lat0).
struct TRing {
  std::vector<TPlanePoint> Points;
  double Scale = 1;  // cos(lat0)
};

// The points to 1e-9 degree (0.1 mm): an arc's points differ between
// platforms in their last bits, which would move the search as libm would.
constexpr double Snap = 1e9;
static_assert(180 * Snap < 0x1p53, "every snapped value is exact");

TRing PlaneRing(std::span<const TGeographicPoint> border) {
  std::vector<TGeographicPoint> snapped;
  snapped.reserve(border.size());
  for (const TGeographicPoint& point : border)
    snapped.emplace_back(std::round(point.Latitude * Snap) / Snap, std::round(point.Longitude * Snap) / Snap);
  TRing ring{UnwrappedPlane(snapped)};
  const auto [south, north] = std::minmax_element(ring.Points.begin(), ring.Points.end(),
                                                  [](const TPlanePoint& a, const TPlanePoint& b) { return a.Y < b.Y; });
  ring.Scale = CosOfLatitude((south->Y + north->Y) / 2);
  for (TPlanePoint& point : ring.Points) point.X *= ring.Scale;
  return ring;
}

// The squared distance from p to the segment a-b.
double SquaredDistanceToSegment(TPlanePoint p, TPlanePoint a, TPlanePoint b) {
  double x = a.X, y = a.Y;
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  if (dx != 0 || dy != 0) {
    const double t = ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / (dx * dx + dy * dy);
    if (t > 1) {
      x = b.X, y = b.Y;
    } else if (t > 0) {
      x += dx * t, y += dy * t;
    }
  }
  return (p.X - x) * (p.X - x) + (p.Y - y) * (p.Y - y);
}

// The distance from p to the ring's nearest edge, negative outside it
// (even-odd rule); the ring is taken as closed.
double SignedDistance(TPlanePoint p, const std::vector<TPlanePoint>& ring) {
  bool inside = false;
  double least = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const TPlanePoint a = ring[i], b = ring[j];
    if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
    least = std::min(least, SquaredDistanceToSegment(p, a, b));
  }
  return (inside ? 1 : -1) * std::sqrt(least);
}

// A square cell: its centre, half its side, the distance of its centre from
// the border, and the most any point of it could have.
struct TCell {
  TPlanePoint Centre;
  double Half = 0;
  double Distance = 0;
  double Most = 0;
  TCell(TPlanePoint centre, double half, const std::vector<TPlanePoint>& ring)
      : Centre(centre), Half(half), Distance(SignedDistance(centre, ring)), Most(Distance + half * Sqrt2) {}
};

// The centroid of the ring's area, a good first guess; its first point
// where the area is 0.
TCell CentroidCell(const std::vector<TPlanePoint>& ring) {
  double area = 0, x = 0, y = 0;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const TPlanePoint a = ring[i], b = ring[j];
    const double f = a.X * b.Y - b.X * a.Y;
    x += (a.X + b.X) * f;
    y += (a.Y + b.Y) * f;
    area += f * 3;
  }
  if (area == 0) return {ring.front(), 0, ring};
  return {{x / area, y / area}, 0, ring};
}

}  // namespace

TGeographicPoint PoleOfInaccessibility(std::span<const TGeographicPoint> border) {
  const TRing ring = PlaneRing(border);
  const std::vector<TPlanePoint>& points = ring.Points;
  double west = points[0].X, east = west, south = points[0].Y, north = south;
  for (const TPlanePoint& p : points) {
    west = std::min(west, p.X), east = std::max(east, p.X);
    south = std::min(south, p.Y), north = std::max(north, p.Y);
  }
  const double width = east - west, height = north - south, longer = std::max(width, height);
  // Square cells of the shorter side, but no more than 64 to the longer: a
  // sliver of a ring would otherwise need millions.
  constexpr int MostCellsAlong = 64;
  const double side = std::max(std::min(width, height), longer / MostCellsAlong);
  TCell best = CentroidCell(points);
  if (side > 0) {
    const double precision = longer * PinPrecisionShare;
    const auto lessPromising = [](const TCell& a, const TCell& b) { return a.Most < b.Most; };
    std::priority_queue<TCell, std::vector<TCell>, decltype(lessPromising)> cells(lessPromising);
    for (double x = west; x < east; x += side)
      for (double y = south; y < north; y += side)
        cells.emplace(TPlanePoint{x + side / 2, y + side / 2}, side / 2, points);
    const TCell middle({west + width / 2, south + height / 2}, 0, points);
    if (middle.Distance > best.Distance) best = middle;
    while (!cells.empty()) {
      const TCell cell = cells.top();
      cells.pop();
      if (cell.Distance > best.Distance) best = cell;
      if (cell.Most - best.Distance <= precision) continue;
      const double half = cell.Half / 2;
      for (const double dx : {-half, half})
        for (const double dy : {-half, half})
          cells.emplace(TPlanePoint{cell.Centre.X + dx, cell.Centre.Y + dy}, half, points);
    }
  }
  double longitude = best.Centre.X / ring.Scale;
  longitude -= 360 * std::round(longitude / 360);
  return {best.Centre.Y, longitude};
}
