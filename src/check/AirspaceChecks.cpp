// The checks of an airspace as a whole.
#include "check/AirspaceChecks.h"

#include <string>

#include "limits/FloorCompare.h"

namespace {

// The line an airspace starts on: its AC where it has one.
std::uint64_t StartLine(const TAirspace& airspace) {
  return airspace.ClassLine != 0 ? airspace.ClassLine : airspace.FirstLine;
}

}  // namespace

void FindAirspaceDoubts(const TAirspace& airspace, std::size_t drawnPoints, std::vector<TFinding>& findings) {
  if (const TAirspaceDetails* details = airspace.Details;
      details != nullptr && FloorAtOrAboveCeiling(details->Floor, details->Ceiling))
    findings.push_back({details->FloorLine, "floor " + details->Floor.Text + " at or above the ceiling " +
                                                details->Ceiling.Text + " of line " +
                                                std::to_string(details->CeilingLine)});
  const bool hasClass = airspace.ClassLine != 0, hasName = !airspace.Name.empty();
  if (drawnPoints == 0 || hasClass == hasName) return;
  findings.push_back(
      {StartLine(airspace), hasClass ? "airspace without a name (no AN)" : "airspace without a class (no AC)"});
}

std::optional<TFinding> TFewPoints::Note(const TAirspace& airspace, std::size_t drawnPoints) {
  constexpr std::size_t Least = 3;  // points of a border with an inside
  if (drawnPoints >= Least) return std::nullopt;
  if (!ArcsRead && airspace.ArcsUnread) {
    if (WithArcs++ == 0) FirstWithArcs = StartLine(airspace);
    return std::nullopt;
  }
  std::string message = drawnPoints == 0 ? "airspace without a border"
                                         : "airspace with " + std::to_string(drawnPoints) + " border point" +
                                               (drawnPoints == 1 ? "" : "s") + ", fewer than 3";
  return TFinding{StartLine(airspace), std::move(message)};
}

std::optional<TFinding> TFewPoints::Finish() const {
  if (WithArcs == 0) return std::nullopt;
  return TFinding{.Line = FirstWithArcs,
                  .Message = std::to_string(WithArcs) + (WithArcs == 1 ? " airspace has" : " airspaces have") +
                             " arcs or circles, drawn only with --arcs",
                  .OfFile = true};
}
