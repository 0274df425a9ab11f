// Checks of an airspace as a whole: its parts present, its limits in order,
// enough points for a border.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Airspace.h"
#include "model/Finding.h"

// A floor at or above its ceiling, at the floor's line; a name or a class
// missing from an airspace that has the other and a border.
void FindAirspaceDoubts(const TAirspace& airspace, std::size_t drawnPoints, std::vector<TFinding>& findings);

// Airspaces whose border has fewer than 3 points, noted one by one as they
// are drawn. Where arcs were not read, those that have arcs or circles are
// one finding for the file, at the first of them.
class TFewPoints {
public:
  explicit TFewPoints(bool arcsRead) : ArcsRead(arcsRead) {}
  // The finding for the airspace, where it has too few points; else none.
  std::optional<TFinding> Note(const TAirspace& airspace, std::size_t drawnPoints);
  // The finding for the file, where there is one.
  std::optional<TFinding> Finish() const;

private:
  bool ArcsRead;
  std::size_t WithArcs = 0;  // airspaces whose arcs were not read
  std::uint64_t FirstWithArcs = 0;
};
