// The draw stage: an airspace's border records into the points every
// writer takes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "geodesy/Arcs.h"
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
  // Its AT point, or with --pins the pole of inaccessibility of a border of
  // 3 points or more; 0/0 where it has neither.
  const TGeographicPoint& Pin() const { return FPin; }
  // Whether the pin is a place: given by AT or found; not the 0/0 of none.
  bool PinPlaced() const { return FPinPlaced; }
  std::span<const TGeographicPoint> Border() const { return FBorder; }
  // One for each point of the border, where the drawer notes them; else none.
  std::span<const TPointSource> Sources() const { return FSources; }

private:
  friend class TDrawer;
  TDrawnAirspace(const TAirspace& airspace, std::span<const TGeographicPoint> border,
                 std::span<const TPointSource> sources)
      : FAirspace(airspace),
        FPin(airspace.Pin),
        FPinPlaced(airspace.PinLine != 0),
        FBorder(border),
        FSources(sources) {}
  const TAirspace& FAirspace;
  TGeographicPoint FPin;
  bool FPinPlaced;
  std::span<const TGeographicPoint> FBorder;
  std::span<const TPointSource> FSources;
};

// What a drawer does beyond the points of the border.
struct TDrawOptions {
  bool NoteSources = false;                   // each point's source, for the checks
  double ArcTolerance = DefaultArcTolerance;  // a chord's most departure from its arc, in metres
  bool Pins = false;                          // --pins: a pin found where AT gives none
};

// Draws one airspace at a time; what it draws is valid until the next.
class TDrawer {
public:
  explicit TDrawer(TDrawOptions options = {}) : Options(options) {}
  TDrawnAirspace Draw(const TAirspace& airspace);

private:
  TDrawnAirspace DrawBorder(const TAirspace& airspace);
  void NoteDpPoints(const TBorderView& border, std::size_t first, std::size_t last);
  void NoteArc(const TArc& arc, std::size_t first);

  TDrawOptions Options;
  std::vector<TGeographicPoint> Points;  // kept from one airspace to the next
  std::vector<TPointSource> Sources;
};
