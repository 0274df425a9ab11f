// The check run: the read stage with every doubt told, then each airspace
// drawn and checked at once, one after another.
#include "driver/CheckRun.h"

#include <cmath>
#include <cstdio>

#include "base/Text.h"
#include "check/AirspaceChecks.h"
#include "check/BorderChecks.h"
#include "check/Crossings.h"
#include "driver/Findings.h"
#include "geodesy/Draw.h"
#include "openair/AirspaceReader.h"

namespace {

void CheckDrawn(const TDrawnAirspace& drawn, TFewPoints& few, TFindings& findings) {
  std::vector<TFinding> found;
  const std::size_t points = drawn.Border().size();
  if (std::optional<TFinding> finding = few.Note(drawn.Airspace(), points)) found.push_back(*std::move(finding));
  FindAirspaceDoubts(drawn.Airspace(), points, found);
  FindCrossings(drawn, found);
  FindBorderDoubts(drawn, found);
  findings.Add(std::move(found));
}

// ‹48.71 N›: two decimals, the hemisphere for the sign.
std::string Degrees(double value, char positive, char negative) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f %c", std::fabs(value), value < 0 ? negative : positive);
  return text;
}

}  // namespace

TCheckSummary CheckAirspaces(TStream& input, const TFilters& filters,
                             const std::function<void(const TFinding&)>& tell) {
  TCheckSummary summary;
  TFindings findings;
  const auto tellAll = [&] {
    for (const TFinding& finding : findings.InLineOrder()) {
      ++(finding.IsError() ? summary.Errors : summary.Warnings);
      if (tell) tell(finding);
    }
  };
  TAirspaceReader reader(input, {.Arcs = true, .Limits = true, .Findings = true, .Check = true});
  TDrawer drawer({.NoteSources = true});
  TFewPoints few(true);
  try {
    while (TAirspaceDraft* draft = reader.Next()) {
      reader.TakeFindings(findings.List());
      const TAirspace& airspace = draft->Airspace;
      const bool leftOut = filters.Any() && LeftOut(airspace, filters);
      findings.Airspace(airspace, leftOut, filters);
      const TDrawnAirspace drawn = drawer.Draw(airspace);
      summary.Extent.Add(drawn.Border());
      if (!leftOut) CheckDrawn(drawn, few, findings);
    }
  } catch (...) {
    // A failure of the input itself (a read error, memory): what was found
    // before it is told first.
    reader.TakeFindings(findings.List());
    tellAll();
    throw;
  }
  reader.TakeFindings(findings.List());
  if (std::optional<TFinding> finding = few.Finish()) findings.Add(*std::move(finding));
  findings.ClassesNotFound(filters);
  tellAll();
  return summary;
}

std::string CountsLine(const TCheckSummary& summary) {
  return Counted(summary.Errors, "error") + ", " + Counted(summary.Warnings, "warning");
}

std::string ExtentLine(const TExtent& extent) {
  if (extent.Empty()) return "no points";
  return "extent " + Degrees(extent.South, 'N', 'S') + " to " + Degrees(extent.North, 'N', 'S') + ", " +
         Degrees(extent.West, 'E', 'W') + " to " + Degrees(extent.East, 'E', 'W');
}
