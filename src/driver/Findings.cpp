// Gathering findings and putting them in line order.
#include "driver/Findings.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <string>
#include <utility>

#include "base/Text.h"

void TFindings::Add(std::vector<TFinding> findings) { std::ranges::move(findings, std::back_inserter(Found)); }

void TFindings::NoteAirspace(const TAirspace& airspace, bool leftOut, const TFilters& filters) {
  if (filters.Classes && !airspace.AirspaceClass.empty()) Classes.insert(UpperCase(airspace.AirspaceClass));
  if (LastLeftOut && airspace.FirstLine > LeftOut.back().First) LeftOut.back().Last = airspace.FirstLine - 1;
  if (leftOut) LeftOut.push_back({airspace.FirstLine, std::numeric_limits<std::uint64_t>::max()});
  LastLeftOut = leftOut;
}

void TFindings::ClassesNotFound(const TFilters& filters) {
  for (const std::string& name : ::ClassesNotFound(filters, Classes))
    Found.push_back({.Line = 0, .Message = "no airspace of class \"" + name + "\" (--classes)", .OfFile = true});
}

// A warning within an airspace left out; errors and findings of the file
// are always told.
bool TFindings::Hidden(const TFinding& finding) const {
  if (finding.IsError() || finding.OfFile || LeftOut.empty()) return false;
  const auto after = std::ranges::upper_bound(LeftOut, finding.Line, {}, &TSpan::First);
  return after != LeftOut.begin() && finding.Line <= std::prev(after)->Last;
}

std::vector<TFinding> TFindings::InLineOrder() {
  std::erase_if(Found, [this](const TFinding& finding) { return Hidden(finding); });
  const auto order = [](const TFinding& finding) {
    const std::uint64_t line = finding.Line == 0 ? std::numeric_limits<std::uint64_t>::max() : finding.Line;
    return std::pair(line, !finding.IsError());
  };
  std::ranges::stable_sort(Found, [&](const TFinding& a, const TFinding& b) { return order(a) < order(b); });
  // Two edges of one record can meet the same earlier edge: told once, in
  // the place of the first.
  std::vector<TFinding> told;
  for (TFinding& finding : Found) {
    const auto same = [&](const TFinding& before) {
      return before.Line == finding.Line && before.Message == finding.Message && before.Severity == finding.Severity;
    };
    const auto line = std::ranges::find_if(told.rbegin(), told.rend(),
                                           [&](const TFinding& before) { return before.Line != finding.Line; });
    if (std::none_of(told.rbegin(), line, same)) told.push_back(std::move(finding));
  }
  Found.clear();
  return told;
}

std::string WarningText(const TFinding& finding) {
  std::string text = "Warning: ";
  if (finding.Line != 0) text += "line " + std::to_string(finding.Line) + ": ";
  text += finding.Message;
  switch (finding.LeftOut) {
    case TFinding::TLeftOut::Nothing: return text;
    case TFinding::TLeftOut::Record: return text + ", left out: " + finding.Record;
    case TFinding::TLeftOut::Airspace: return text + ", airspace left out: " + finding.Record;
  }
  return text;
}

std::string CheckText(const TFinding& finding, const std::string& fileName) {
  std::string text = fileName + ":";
  if (finding.Line != 0) text += std::to_string(finding.Line) + ":";
  return text + (finding.IsError() ? " error: " : " warning: ") + finding.Message;
}
