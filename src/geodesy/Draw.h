// The draw stage: an airspace's border records into the points every
// writer takes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/Airspace.h"
#include "model/GeographicPoint.h"

// Where a drawn point came from: its record's input line, and whether it
// is the first or the last point of an arc (DA, DB).
struct TPointSource {
  std::uint64_t Line = 0;
  bool ArcStart = false;
  bool ArcEnd = false;
};

// An airspace with its border as drawn: its DP points, with its arcs and
// circles drawn among them. Only a TDrawer makes one, so that nothing can
// write an airspace without its arcs.
class TDrawnAirspace {
public:
  const TAirspace& Airspace() const { return FAirspace; }
  std::span<const TGeographicPoint> Border() const { return FBorder; }
  // One for each point of the border, where the drawer notes them; else none.
  std::span<const TPointSource> Sources() const { return FSources; }

private:
  friend class TDrawer;
  TDrawnAirspace(const TAirspace& airspace, std::span<const TGeographicPoint> border,
                 std::span<const TPointSource> sources)
      : FAirspace(airspace), FBorder(border), FSources(sources) {}
  const TAirspace& FAirspace;
  std::span<const TGeographicPoint> FBorder;
  std::span<const TPointSource> FSources;
};

// Draws one airspace at a time; what it draws is valid until the next.
class TDrawer {
public:
  // With `noteSources`, each point's source is noted too, for the checks.
  explicit TDrawer(bool noteSources = false) : NoteSources(noteSources) {}
  TDrawnAirspace Draw(const TAirspace& airspace);

private:
  void NoteDpPoints(const TBorderView& border, std::size_t first, std::size_t last);
  void NoteArc(const TArc& arc, std::size_t first);

  bool NoteSources;
  std::vector<TGeographicPoint> Points;  // kept from one airspace to the next
  std::vector<TPointSource> Sources;
};
