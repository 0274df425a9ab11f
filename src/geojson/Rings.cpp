// Cutting a border at the antimeridian: the unwrapped ring clipped to each
// 360° band it reaches (Sutherland and Hodgman), moved back by whole turns.
#include "geojson/Rings.h"

#include <algorithm>
#include <cmath>

#include "geodesy/Plane.h"

namespace {

constexpr double HalfTurn = 180, FullTurn = 360;

double SignedArea(const TRing& ring) {
  double twice = 0;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
    twice += (ring[j].X - ring[i].X) * (ring[j].Y + ring[i].Y);
  return twice / 2;  // positive counter-clockwise (x east, y north)
}

void TurnCounterClockwise(TRing& ring) {
  if (SignedArea(ring) < 0) std::reverse(ring.begin(), ring.end());
}

// Where the edge a-b meets the meridian x = at.
TRingVertex Cut(const TRingVertex& a, const TRingVertex& b, double at) {
  return {at, a.Y + (b.Y - a.Y) * (at - a.X) / (b.X - a.X), TRingVertex::NoPoint};
}

// The part of the ring on one side of the meridian x = at: east of it
// where `east`, else west.
TRing ClipAt(const TRing& ring, double at, bool east) {
  const auto inside = [&](const TRingVertex& v) { return east ? v.X >= at : v.X <= at; };
  TRing part;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const TRingVertex &before = ring[j], &vertex = ring[i];
    if (inside(vertex)) {
      if (!inside(before)) part.push_back(Cut(before, vertex, at));
      part.push_back(vertex);
    } else if (inside(before)) {
      part.push_back(Cut(before, vertex, at));
    }
  }
  return part;
}

}  // namespace

std::vector<TRing> GeoJsonRings(std::span<const TGeographicPoint> border) {
  const std::vector<TPlanePoint> plane = UnwrappedPlane(border);
  TRing ring;
  ring.reserve(plane.size());
  for (std::size_t i = 0; i < plane.size(); ++i) ring.push_back({plane[i].X, plane[i].Y, i});
  // Round a pole the way back to the first point is a whole turn away.
  const double back = border.front().Longitude - plane.back().X;
  if (std::fabs(back) > HalfTurn) {
    for (std::size_t i = 0; i < ring.size(); ++i) ring[i].X = border[i].Longitude;
    return {ring};
  }
  const auto [west, east] = std::minmax_element(ring.begin(), ring.end(),
                                                [](const TRingVertex& a, const TRingVertex& b) { return a.X < b.X; });
  // The bands [360m - 180, 360m + 180] the ring reaches into.
  const auto first = static_cast<int>(std::floor((west->X + HalfTurn) / FullTurn));
  const auto last = static_cast<int>(std::ceil((east->X - HalfTurn) / FullTurn));
  std::vector<TRing> rings;
  if (first >= last) {
    TurnCounterClockwise(ring);
    rings.push_back(std::move(ring));
    return rings;
  }
  for (int band = first; band <= last; ++band) {
    const double shift = FullTurn * band;
    TRing part = ClipAt(ClipAt(ring, shift - HalfTurn, true), shift + HalfTurn, false);
    if (part.size() < 3) continue;
    for (TRingVertex& vertex : part) vertex.X -= shift;
    TurnCounterClockwise(part);
    rings.push_back(std::move(part));
  }
  return rings;
}
