// The airspace reader: each record's kind gives it its handler, which fills
// the block being read; each block is then placed, and an airspace is given
// once the block after it shows that it is complete.
#include "openair/AirspaceReader.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <new>
#include <string>
#include <utility>

#include "base/Errors.h"
#include "base/Text.h"
#include "openair/CoordinateDoubts.h"
#include "openair/CoordinateText.h"
#include "openair/Tokens.h"
#include "openair/VerticalLimits.h"

namespace {

// Line numbers beyond the eight hexadecimal digits of the report stay at the largest.
std::uint32_t PlaceOfLine(std::uint64_t line) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(line, UINT32_MAX));
}

// UNC, or UNCLASSIFIED as some exporters write it, in any case.
bool IsUnclassified(std::string_view airspaceClass) {
  return SameLetters(airspaceClass, "UNC") || SameLetters(airspaceClass, "UNCLASSIFIED");
}

// From this length on, a line that starts a name gives it its buffer.
constexpr std::size_t LongLine = std::size_t{64} * 1024;

}  // namespace

// Inlined into Read: most records are points.
template <bool Careful>
[[gnu::always_inline]] inline void TAirspaceReader::ReadBorderPoint(const TRecord& record) {
  const TGeographicPoint point =
      Careful && Options.Findings ? ReadDoubtedPoint(record) : ReadPoint(CoordinateValue(record));
  Reading().Border.AddPoint(point, Lines.LineNumber());
}

// A point read with its doubts told. A text of a usual form can only be
// out of range, so only other texts are looked at in full.
TGeographicPoint TAirspaceReader::ReadDoubtedPoint(const TRecord& record) {
  bool usual = false;
  const TCoordinates read = ReadCoordinateText(CoordinateValue(record), usual);
  const bool inRange = std::fabs(read.Latitude) <= 90 && std::fabs(read.Longitude) <= 180;
  if (!usual || !inRange || Options.Check)
    if (std::string doubt = CoordinateDoubt(record.Rest, read, usual, Options.Check); !doubt.empty())
      Warn(record, std::move(doubt), TFinding::TLeftOut::Nothing);
  TGeographicPoint point;
  point.Latitude = read.Latitude;
  point.Longitude = read.Longitude;
  return point;
}

// Inlined into both callers: every record passes here. Careful where
// records may fail without ending the run, or findings are told: the bare
// run's copy then holds nothing of theirs.
template <bool Careful>
[[gnu::always_inline]] inline void TAirspaceReader::Read(TRecordKind kind, const TRecord& record) {
  switch (kind) {
    case TRecordKind::Class: return ReadClass(record);
    case TRecordKind::Name: return ReadName(record);
    case TRecordKind::Pin: return ReadPin(record);
    case TRecordKind::Floor: return ReadLimit(record, Reading().Details.Floor, Reading().Details.FloorLine);
    case TRecordKind::Ceiling: return ReadLimit(record, Reading().Details.Ceiling, Reading().Details.CeilingLine);
    case TRecordKind::Type: return ReadType(record);
    case TRecordKind::Point: return ReadBorderPoint<Careful>(record);
    case TRecordKind::Variable: return ReadVariable(record);
    case TRecordKind::Arc: return ReadArcRecord(record, ReadArc, &TReadReport::Arcs);
    case TRecordKind::ArcBetween: return ReadArcRecord(record, ReadArcBetween, &TReadReport::Arcs);
    case TRecordKind::Circle: return ReadArcRecord(record, ReadCircle, &TReadReport::Circles);
    case TRecordKind::Unused: return;  // SP, SB and the others: read and ignored
    case TRecordKind::None:
      if (Careful && Options.Findings) NoteUnknownKeyword(record);
      return;
  }
}

// The careful reading: where asked, the failures of a record's own values
// leave its airspace out, or in a check add nothing; others, of reading or
// of memory, still end the run. Apart from the bare run's Read, whose every
// record it would otherwise slow.
[[gnu::noinline]] void TAirspaceReader::ReadCarefully(TRecordKind kind, const TRecord& record) {
  if (!Options.SkipBad && !Options.Check) return Read<true>(kind, record);
  const auto leaveOut = [&](const Exception& error) {
    if (Options.Check)
      return Warn(record, FailureWords(error), TFinding::TLeftOut::Nothing, TFinding::TSeverity::Error);
    Warn(record, FailureWords(error), TFinding::TLeftOut::Airspace, TFinding::TSeverity::Error);
    Reading().Broken = true;
  };
  try {
    Read<true>(kind, record);
  } catch (const EConvertError& error) {
    leaveOut(error);
  } catch (const EStringListError& error) {
    leaveOut(error);
  } catch (const EOverflow& error) {
    leaveOut(error);
  }
}

// A line of the block being read.
[[gnu::always_inline]] inline void TAirspaceReader::ReadRecord(std::string_view line, TLineKeyword keyword) {
  if (Reading().Airspace.FirstLine == 0) Reading().Airspace.FirstLine = Lines.LineNumber();
  const TRecord record{line, line.substr(keyword.Length), Lines.BlanksOnly()};
  if (Careful) [[unlikely]] {
    ReadCarefully(keyword.Kind, record);
  } else {
    Read<false>(keyword.Kind, record);
  }
}

TAirspaceDraft* TAirspaceReader::Next() {
  try {
    return ReadNext();
  } catch (Exception& error) {
    error.SetPlace(PlaceOfLine(Lines.LineNumber()));
    WarnOfUnknownKeywords();  // those read before the failure, counted so far
    throw;
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory", PlaceOfLine(Lines.LineNumber()));
  }
}

TAirspaceDraft* TAirspaceReader::ReadNext() {
  if (Given) {  // the block that showed the airspace given complete starts this one
    ChangePlaces();
    Reading().Clear();
    Given = false;
  }
  if (!AtEnd) {
    // The first line is an AC that ended the block before it, where one did.
    std::string_view line = std::exchange(PendingClass, {});
    bool more = !line.empty() || Lines.ReadLine(line);
    for (;;) {
      while (more && line.empty()) more = Lines.ReadLine(line);  // blank lines between blocks
      if (!more) break;
      do {  // the lines of a block
        const TLineKeyword keyword = LineKeyword(line);
        // A second AC ends the block before it; where that completes an
        // airspace, the AC is read at the next call, from the line reader's
        // buffer, where it stays until the next line is read.
        if (keyword.Kind == TRecordKind::Class && Reading().HasClass() && PlaceBlock()) {
          PendingClass = line;
          return &Current();
        }
        ReadRecord(line, keyword);
        more = Lines.ReadLine(line);
      } while (more && !line.empty());
      if (PlaceBlock()) {
        AtEnd = !more;
        return &Current();
      }
    }
    AtEnd = true;
  }
  if (!UnknownKeywords.empty()) WarnOfUnknownKeywords();
  if (Started) {  // the last airspace, given once
    Started = false;
    if (Complete()) return &Current();
  }
  return nullptr;
}

// Places the block read, and tells whether that completes the airspace
// before it: a block with an AC starts a new airspace, one without continues
// the airspace made so far.
bool TAirspaceReader::PlaceBlock() {
  if (Started && !Reading().HasClass()) {
    Continue();
    Reading().Clear();
    return false;
  }
  if (Started && Complete()) return Given = true;
  ChangePlaces();
  Reading().Clear();
  Started = true;
  return false;
}

// The airspace made so far is complete: its class given by AY where AC says
// UNC. False where it is broken, and so left out.
bool TAirspaceReader::Complete() {
  TBlock& airspace = Current();
  if (IsUnclassified(airspace.Class) && !airspace.Type.empty()) airspace.Class = airspace.Type;
  if (airspace.Broken) {
    ++FReport.Broken;
    return false;
  }
  if (!airspace.Border.Arcs.empty()) WarnOfCentresElsewhere();
  airspace.View();
  return true;
}

// The block's records after those of the airspace made so far, field by
// field. The block has no AC, so the class stays.
void TAirspaceReader::Continue() {
  TBlock& airspace = Current();
  TBlock& block = Reading();
  // The name is joined, with the blanks it owes; its line is the first.
  if (airspace.Name.Empty()) {
    std::swap(airspace.Name, block.Name);
  } else if (block.NameBlanks > 0) {
    airspace.Name.Append(std::string(block.NameBlanks, ' '));
    airspace.Name.Append(block.Name.View());
  }
  if (airspace.Airspace.NameLine == 0) airspace.Airspace.NameLine = block.Airspace.NameLine;
  // The pin, type, floor and ceiling are overridden where the block gives them.
  if (block.Airspace.PinLine != 0) {
    airspace.Airspace.Pin = block.Airspace.Pin;
    airspace.Airspace.PinLine = block.Airspace.PinLine;
  }
  if (block.Details.TypeLine != 0) {
    airspace.Type.swap(block.Type);
    airspace.Details.TypeLine = block.Details.TypeLine;
  }
  if (block.Details.FloorLine != 0) {
    std::swap(airspace.Details.Floor, block.Details.Floor);
    airspace.Details.FloorLine = block.Details.FloorLine;
  }
  if (block.Details.CeilingLine != 0) {
    std::swap(airspace.Details.Ceiling, block.Details.Ceiling);
    airspace.Details.CeilingLine = block.Details.CeilingLine;
  }
  airspace.HasDetails = airspace.HasDetails || block.HasDetails;
  airspace.Airspace.ArcsUnread = airspace.Airspace.ArcsUnread || block.Airspace.ArcsUnread;
  // The border's records follow those before them.
  airspace.Border.Append(block.Border);
  airspace.Broken = airspace.Broken || block.Broken;
}

// AC: the class is the first token after the keyword.
void TAirspaceReader::ReadClass(const TRecord& record) {
  Reading().Airspace.ClassLine = Lines.LineNumber();
  ArcSettings.Direction = TDirection::Clockwise;
  if (record.Rest.empty()) throw EStringListError("List index out of bounds (1)");
  Reading().Class.assign(FirstToken(record.Rest));
}

// AN: the tokens extend the name. A name that starts on a long line is
// joined where the line stands, in the line reader's buffer, which it takes
// over: a name of many megabytes is then never copied.
void TAirspaceReader::ReadName(const TRecord& record) {
  TBlock& block = Reading();
  TGrowingText& name = block.Name;
  if (block.Airspace.NameLine == 0 && !record.Rest.empty()) block.Airspace.NameLine = Lines.LineNumber();
  if (name.Empty()) {
    block.NameBlanks += record.Rest.empty() ? 0 : 1;
    if (record.Line.size() >= LongLine) {
      name = Lines.TakeBuffer();  // holds the line, from its first byte
      name.SetSize(JoinTokens(record.Rest, false, name.Data()));
      return;
    }
  }
  name.Reserve(record.Rest.size());
  name.SetSize(name.Size() + JoinTokens(record.Rest, !name.Empty(), name.Data() + name.Size()));
}

void TAirspaceReader::ReadPin(const TRecord& record) {
  TAirspace& airspace = Reading().Airspace;
  airspace.Pin = Options.Findings ? ReadDoubtedPoint(record) : ReadPoint(CoordinateValue(record));
  airspace.PinLine = Lines.LineNumber();
}

// AY: the airspace's type, the class written where AC says UNC; the last AY
// with a value counts.
void TAirspaceReader::ReadType(const TRecord& record) {
  const std::string_view type = FirstToken(record.Rest);
  if (type.empty()) return;
  TBlock& block = Reading();
  block.Type.assign(type);
  block.Details.TypeLine = Lines.LineNumber();
  block.HasDetails = true;
}

// AL and AH: ignored unless the limits are read; the last with a value counts.
void TAirspaceReader::ReadLimit(const TRecord& record, TVerticalLimit& limit, std::uint64_t& line) {
  if (!Options.Limits) return;
  TVerticalLimit read = ReadVerticalLimit(Joined(record));
  if (read.Kind == TVerticalLimit::TKind::None) return;
  if (read.Kind == TVerticalLimit::TKind::Unreadable && Options.Findings)
    Warn(record, "\"" + read.Text + "\" cannot be read as a limit", TFinding::TLeftOut::Nothing);
  limit = std::move(read);
  line = Lines.LineNumber();
  Reading().HasDetails = true;
}

// V, DA, DB, DC: ignored unless the arcs are drawn.
void TAirspaceReader::ReadVariable(const TRecord& record) {
  if (!Options.Arcs) return;
  const std::string value = JoinTokens(record.Rest);
  if (value.find('=') == std::string::npos) return Warn(record, "V without =, ignored", TFinding::TLeftOut::Nothing);
  if (const std::string_view key = VariableKey(value); !SameLetters(key, "X") && !SameLetters(key, "D"))
    return Warn(record, "V of an unknown variable \"" + std::string(key) + "\", ignored", TFinding::TLeftOut::Nothing);
  bool plain = true;
  if (std::string reason = ApplyVariable(value, Lines.LineNumber(), ArcSettings, plain); !reason.empty())
    return Warn(record, std::move(reason), TFinding::TLeftOut::Record, TFinding::TSeverity::Error);
  if (Options.Findings && (!plain || Options.Check)) DoubtArcCoordinates(record, false);
}

// An arc or circle record taken into the border and counted, or left out.
void TAirspaceReader::ReadArcRecord(const TRecord& record, TReadArc read, std::size_t TReadReport::*taken) {
  if (!Options.Arcs) {
    Reading().Airspace.ArcsUnread = true;
    return;
  }
  TArc arc;
  bool plain = true;
  if (std::string reason = read(JoinTokens(record.Rest), ArcSettings, arc, plain); !reason.empty())
    return Warn(record, std::move(reason), TFinding::TLeftOut::Record, TFinding::TSeverity::Error);
  if (Options.Findings && (!plain || Options.Check) && read == ReadArcBetween) DoubtArcCoordinates(record, true);
  arc.Line = Lines.LineNumber();
  Reading().Border.AddArc(arc);
  Reading().HasDetails = true;
  ++(FReport.*taken);
}

// An arc or circle around a centre set before the airspace began, in
// another airspace: drawn, but perhaps not where its author meant. Told in
// line order among the warnings not yet taken.
void TAirspaceReader::WarnOfCentresElsewhere() {
  const TBlock& airspace = Current();
  bool warned = false;
  for (const TArc& arc : airspace.Border.Arcs) {
    if (arc.CentreLine >= airspace.Airspace.FirstLine) continue;
    Warnings.push_back(
        {arc.Line,
         "drawn around the centre set on line " + std::to_string(arc.CentreLine) + ", in another airspace",
         TFinding::TLeftOut::Nothing,
         {}});
    warned = true;
  }
  if (warned)
    std::stable_sort(Warnings.begin(), Warnings.end(),
                     [](const TFinding& a, const TFinding& b) { return a.Line < b.Line; });
}

// A record read but not used, or used with a doubt, with its line; an arc
// record left out is counted.
void TAirspaceReader::Warn(const TRecord& record, std::string message, TFinding::TLeftOut leftOut,
                           TFinding::TSeverity severity) {
  if (leftOut == TFinding::TLeftOut::Record) ++FReport.LeftOut;
  Warnings.push_back({Lines.LineNumber(), std::move(message), leftOut, std::string(record.Line), severity});
}

// The doubts about the coordinates of a V X= or a DB taken, where one of
// them was not plain; one told at most.
void TAirspaceReader::DoubtArcCoordinates(const TRecord& record, bool between) {
  for (const std::string_view text : ArcCoordinateTexts(record.Rest, between)) {
    try {
      bool usual = false;
      const TCoordinates read = ReadCoordinateText(text, usual);
      if (std::string doubt = CoordinateDoubt(text, read, usual, Options.Check); !doubt.empty())
        return Warn(record, std::move(doubt), TFinding::TLeftOut::Nothing);
    } catch (const Exception&) {
      continue;  // read from the joined tokens, it did not fail
    }
  }
}

// A record of no OpenAir keyword, ignored: counted by its keyword in any case.
void TAirspaceReader::NoteUnknownKeyword(const TRecord& record) {
  constexpr std::size_t Shown = 16;  // bytes of a keyword named in the finding
  const std::string_view token = FirstToken(record.Line);
  for (const std::string_view known : KnownUnlisted)
    if (SameLetters(token, known)) return;
  std::string keyword = UpperCase(token.substr(0, Shown));
  if (token.size() > Shown) keyword += "...";
  const auto [place, added] = UnknownKeywords.try_emplace(std::move(keyword), TUnknownKeyword{Lines.LineNumber(), 0});
  ++place->second.Count;
}

// One finding for each unknown keyword, at its first line, once the input has ended.
void TAirspaceReader::WarnOfUnknownKeywords() {
  for (const auto& [keyword, seen] : UnknownKeywords) {
    std::string message = "\"" + keyword + "\" is no OpenAir record, ignored";
    if (seen.Count > 1) message += " (" + std::to_string(seen.Count) + " records)";
    Warnings.push_back({.Line = seen.FirstLine, .Message = std::move(message), .OfFile = true});
  }
  UnknownKeywords.clear();
}

// The tokens after the keyword joined by single blanks, for ReadPoint. A
// line with no delimiter but blanks, the usual case, gives its rest as it
// stands, which reads the same: ReadPoint collapses runs of blanks and drops
// a leading one.
std::string_view TAirspaceReader::CoordinateValue(const TRecord& record) {
  if (record.BlanksOnly) return record.Rest;
  return Joined(record);
}

// The tokens after the keyword joined, in a text kept from one record to the next.
std::string_view TAirspaceReader::Joined(const TRecord& record) {
  JoinedValue.resize(record.Rest.size());
  JoinedValue.resize(JoinTokens(record.Rest, false, JoinedValue.data()));
  return JoinedValue;
}

TAirspaceList ParseAirspaces(TStream& stream, TReadOptions options, TReadReport* report,
                             std::vector<TFinding>* warnings) {
  TAirspaceList airspaces;
  TAirspaceReader reader(stream, options);
  while (TAirspaceDraft* airspace = reader.Next()) {
    airspaces.Add(*airspace);
    if (warnings != nullptr) std::ranges::move(reader.TakeFindings(), std::back_inserter(*warnings));
  }
  if (warnings != nullptr) std::ranges::move(reader.TakeFindings(), std::back_inserter(*warnings));
  if (report != nullptr) *report = reader.Report();
  return airspaces;
}
