// A border drawn: its DP points as they are where it has no arcs, otherwise
// its records in order into points of the drawer's.
#include "geodesy/Draw.h"

#include <cstddef>
#include <variant>

#include "geodesy/Pins.h"

TDrawnAirspace TDrawer::Draw(const TAirspace& airspace) {
  TDrawnAirspace drawn = DrawBorder(airspace);
  if (Options.Pins && !drawn.FPinPlaced && drawn.FBorder.size() >= 3) {
    drawn.FPin = PoleOfInaccessibility(drawn.FBorder);
    drawn.FPinPlaced = true;
  }
  return drawn;
}

TDrawnAirspace TDrawer::DrawBorder(const TAirspace& airspace) {
  const std::span<const TGeographicPoint> dp = airspace.Border.Points;
  const std::span<const TArc> arcs = airspace.Arcs();
  Sources.clear();
  if (arcs.empty()) {
    if (Options.NoteSources) NoteDpPoints(airspace.Border, 0, dp.size());
    return {airspace, dp, Sources};
  }
  Points.clear();
  std::size_t next = 0;  // the first DP point not yet taken
  for (const TArc& arc : arcs) {
    if (Options.NoteSources) NoteDpPoints(airspace.Border, next, arc.Position);
    Points.insert(Points.end(), dp.begin() + static_cast<std::ptrdiff_t>(next),
                  dp.begin() + static_cast<std::ptrdiff_t>(arc.Position));
    next = arc.Position;
    const std::size_t first = Points.size();
    DrawArc(arc, Options.ArcTolerance, Points);
    if (Options.NoteSources) NoteArc(arc, first);
  }
  if (Options.NoteSources) NoteDpPoints(airspace.Border, next, dp.size());
  Points.insert(Points.end(), dp.begin() + static_cast<std::ptrdiff_t>(next), dp.end());
  return {airspace, Points, Sources};
}

void TDrawer::NoteDpPoints(const TBorderView& border, std::size_t first, std::size_t last) {
  for (std::size_t i = first; i < last; ++i) Sources.push_back({border.LineOfPoint(i)});
}

// The points just drawn for the arc; a circle has no ends.
void TDrawer::NoteArc(const TArc& arc, std::size_t first) {
  const std::size_t drawn = Points.size() - first;
  for (std::size_t i = 0; i < drawn; ++i) Sources.push_back({arc.Line});
  if (drawn == 0 || std::holds_alternative<TCircle>(arc.Shape)) return;
  Sources[first].ArcStart = true;
  Sources.back().ArcEnd = true;
}
