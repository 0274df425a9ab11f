// The draw stage: an airspace's border records into the points every
// writer takes.
#pragma once

#include <span>
#include <vector>

#include "model/Airspace.h"
#include "model/GeographicPoint.h"

// An airspace with its border as drawn: its DP points, with its arcs and
// circles drawn among them. Only a TDrawer makes one, so that nothing can
// write an airspace without its arcs.
class TDrawnAirspace {
public:
  const TAirspace& Airspace() const { return FAirspace; }
  std::span<const TGeographicPoint> Border() const { return FBorder; }

private:
  friend class TDrawer;
  TDrawnAirspace(const TAirspace& airspace, std::span<const TGeographicPoint> border)
      : FAirspace(airspace), FBorder(border) {}
  const TAirspace& FAirspace;
  std::span<const TGeographicPoint> FBorder;
};

// Draws one airspace at a time; what it draws is valid until the next.
class TDrawer {
public:
  TDrawnAirspace Draw(const TAirspace& airspace);

private:
  std::vector<TGeographicPoint> Points;  // kept from one airspace to the next
};
