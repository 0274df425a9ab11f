// A border drawn: its DP points as they are where it has no arcs, otherwise
// its records in order into points of the drawer's.
#include "geodesy/Draw.h"

#include <cstddef>

#include "geodesy/Arcs.h"

TDrawnAirspace TDrawer::Draw(const TAirspace& airspace) {
  const std::span<const TGeographicPoint> dp = airspace.Border.Points;
  const std::span<const TArc> arcs = airspace.Arcs();
  if (arcs.empty()) return {airspace, dp};
  Points.clear();
  std::size_t next = 0;  // the first DP point not yet taken
  for (const TArc& arc : arcs) {
    Points.insert(Points.end(), dp.begin() + static_cast<std::ptrdiff_t>(next),
                  dp.begin() + static_cast<std::ptrdiff_t>(arc.Position));
    next = arc.Position;
    DrawArc(arc, Points);
  }
  Points.insert(Points.end(), dp.begin() + static_cast<std::ptrdiff_t>(next), dp.end());
  return {airspace, Points};
}
