// Each airspace's Feature made once for both map outputs; the page also
// learns where each airspace's findings belong.
#include "driver/MapOutputs.h"

#include <algorithm>
#include <vector>

#include "driver/Findings.h"
#include "model/AirspaceList.h"

namespace {

bool TextsAreUtf8(const TAirspace& airspace) {
  if (!IsUtf8(airspace.Name) || !IsUtf8(airspace.AirspaceClass)) return false;
  const TAirspaceDetails* details = airspace.Details;
  return details == nullptr || (IsUtf8(details->Type) && IsUtf8(details->Floor.Text) && IsUtf8(details->Ceiling.Text));
}

// The last input line of the airspace's records.
std::uint64_t LastLineOf(const TAirspace& airspace) {
  std::uint64_t last = std::max({airspace.FirstLine, airspace.ClassLine, airspace.NameLine, airspace.PinLine});
  if (!airspace.Border.Points.empty())
    last = std::max(last, airspace.Border.LineOfPoint(airspace.Border.Points.size() - 1));
  for (const TArc& arc : airspace.Arcs()) last = std::max(last, arc.Line);
  if (const TAirspaceDetails* details = airspace.Details)
    last = std::max({last, details->TypeLine, details->FloorLine, details->CeilingLine});
  return last;
}

}  // namespace

TEncoding GuessedEncoding(const TAirspaceList& airspaces) {
  return std::all_of(airspaces.begin(), airspaces.end(), TextsAreUtf8) ? TEncoding::Utf8 : TEncoding::Windows1252;
}

TMapOutputs::TMapOutputs(const TMapStreams& streams, TFeatureFormat format)
    : Features(format), Encoding(format.Encoding) {
  if (streams.GeoJson != nullptr) GeoJson.emplace(*streams.GeoJson);
  if (streams.Preview != nullptr) {
    std::string title;  // a file name: UTF-8 where it can be
    AppendAsUtf8(title, streams.Title, IsUtf8(streams.Title) ? TEncoding::Utf8 : TEncoding::Windows1252);
    Page.emplace(*streams.Preview, title, streams.Tiles);
  }
}

void TMapOutputs::Add(const TDrawnAirspace& drawn) {
  const std::string_view feature = Features.Feature(drawn);
  if (GeoJson) GeoJson->Add(feature);
  if (!Page) return;
  const TAirspace& airspace = drawn.Airspace();
  std::optional<TGeographicPoint> place;
  if (drawn.PinPlaced()) {
    place = drawn.Pin();
  } else if (!drawn.Border().empty()) {
    place = drawn.Border().front();
  }
  Page->Add(feature, {airspace.FirstLine, LastLineOf(airspace)}, place);
}

void TMapOutputs::Finish(std::span<const TFinding> findings) {
  if (GeoJson) GeoJson->Finish();
  if (!Page) return;
  std::vector<TPageFinding> told;
  told.reserve(findings.size());
  for (const TFinding& finding : findings) {
    std::string text;
    AppendAsUtf8(text, WarningText(finding), Encoding);
    told.push_back({finding.Line, finding.IsError(), std::move(text)});
  }
  Page->Finish(told);
}
