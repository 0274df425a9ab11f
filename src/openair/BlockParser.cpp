// The block parser: a table gives each record kind its handler, which fills
// the block being read; each block is then placed.
#include "openair/BlockParser.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "base/Errors.h"
#include "base/UpperCase.h"
#include "io/GrowingText.h"
#include "model/Airspace.h"
#include "openair/ArcRecords.h"
#include "openair/CoordinateText.h"
#include "openair/Keywords.h"
#include "openair/LineReader.h"
#include "openair/Tokens.h"
#include "openair/VerticalLimits.h"

namespace {

// One record: its line, and the part after the keyword.
struct TRecord {
  std::string_view Line;
  std::string_view Rest;  // empty, or starting with a delimiter
  bool BlanksOnly;        // the line holds no delimiter but the blank
};

// The records of one block, or of the airspace its blocks have made so far.
struct TBlock {
  TAirspace Airspace;
  bool HasClass = false;  // an AC stands in it
  bool HasPin = false;    // an AT stands in it
  bool Broken = false;    // a record failed in it, where failures leave airspaces out
  std::string Type;       // the last AY value; empty where none
  // The blanks owed before the name where it continues a name of text: one
  // for each AN with a value read while the name was still empty (tokens
  // joined after text get a blank each, and a name of its own drops them).
  std::size_t NameBlanks = 0;

  void Clear() {
    Airspace.AirspaceClass.clear();
    Airspace.Name.Clear();
    Airspace.Pin = TGeographicPoint();
    Airspace.Border.Clear();
    if (Airspace.Floor.Kind != TVerticalLimit::TKind::None) Airspace.Floor = {};
    if (Airspace.Ceiling.Kind != TVerticalLimit::TKind::None) Airspace.Ceiling = {};
    HasClass = HasPin = Broken = false;
    Type.clear();
    NameBlanks = 0;
  }
  // Field by field, each keeping its storage: blocks change places at every
  // airspace, and limits are there only where they are read.
  void Swap(TBlock& other) noexcept {
    Airspace.AirspaceClass.swap(other.Airspace.AirspaceClass);
    std::swap(Airspace.Name, other.Airspace.Name);
    std::swap(Airspace.Pin, other.Airspace.Pin);
    Airspace.Border.Swap(other.Airspace.Border);
    SwapLimit(Airspace.Floor, other.Airspace.Floor);
    SwapLimit(Airspace.Ceiling, other.Airspace.Ceiling);
    std::swap(HasClass, other.HasClass);
    std::swap(HasPin, other.HasPin);
    std::swap(Broken, other.Broken);
    Type.swap(other.Type);
    std::swap(NameBlanks, other.NameBlanks);
  }

private:
  static void SwapLimit(TVerticalLimit& a, TVerticalLimit& b) noexcept {
    if (a.Kind != TVerticalLimit::TKind::None || b.Kind != TVerticalLimit::TKind::None) std::swap(a, b);
  }
};

// Places each block once it is read: an airspace starts at an AC, so a
// block that holds one starts a new airspace with its first record, and a
// block without one continues the airspace before it, so that blank lines
// inside an airspace are nothing; the first block of the input forms an
// airspace whatever it holds. A second AC in a block, as where airspaces
// follow each other with no blank line, ends the block there: the AC starts
// the next block. Both blocks keep their storage from one airspace to the
// next; the list copies what they hold, or takes it over where it is long.
class TBlockPlacer {
public:
  TBlockPlacer(TAirspaceList& airspaces, const std::function<bool(TAirspace&)>& keep, std::size_t& broken)
      : Airspaces(airspaces), Keep(keep), BrokenCount(broken) {}

  TBlock& Block() { return Reading; }
  void PlaceBlock() {
    if (!Started) {
      Current.Swap(Reading);
      Started = true;
    } else if (Reading.HasClass) {
      Complete();
      Current.Swap(Reading);
    } else {
      Continue();
    }
    Reading.Clear();
  }
  // At the end of the input.
  void Finish() {
    if (Started) Complete();
  }

private:
  // The airspace made so far goes to the list, its class given by AY where
  // AC says UNC; a broken one, or one the caller does not keep, does not.
  void Complete() {
    if (IsUnclassified(Current.Airspace.AirspaceClass) && !Current.Type.empty())
      Current.Airspace.AirspaceClass = Current.Type;
    if (Current.Broken) {
      ++BrokenCount;
    } else if (!Keep || Keep(Current.Airspace)) {
      Airspaces.Add(Current.Airspace);
    }
  }
  // UNC, or UNCLASSIFIED as some exporters write it, in any case.
  static bool IsUnclassified(std::string_view airspaceClass) {
    const auto is = [airspaceClass](std::string_view word) {
      return airspaceClass.size() == word.size() && std::equal(word.begin(), word.end(), airspaceClass.begin(),
                                                               [](char w, char c) { return w == UpperCaseChar(c); });
    };
    return is("UNC") || is("UNCLASSIFIED");
  }
  // The block's records after those of the airspace made so far.
  void Continue() {
    TGrowingText& name = Current.Airspace.Name;
    if (name.Empty()) {
      std::swap(name, Reading.Airspace.Name);
    } else if (Reading.NameBlanks > 0) {
      name.Append(std::string(Reading.NameBlanks, ' '));
      name.Append(Reading.Airspace.Name.View());
    }
    if (Reading.HasPin) Current.Airspace.Pin = Reading.Airspace.Pin;
    if (!Reading.Type.empty()) Current.Type = Reading.Type;
    if (Reading.Airspace.Floor.Kind != TVerticalLimit::TKind::None)
      std::swap(Current.Airspace.Floor, Reading.Airspace.Floor);
    if (Reading.Airspace.Ceiling.Kind != TVerticalLimit::TKind::None)
      std::swap(Current.Airspace.Ceiling, Reading.Airspace.Ceiling);
    Current.Broken = Current.Broken || Reading.Broken;
    Current.Airspace.Border.Append(Reading.Airspace.Border);
  }

  TAirspaceList& Airspaces;
  const std::function<bool(TAirspace&)>& Keep;
  std::size_t& BrokenCount;
  bool Started = false;  // a first block was placed
  TBlock Current;        // the airspace its blocks have made so far
  TBlock Reading;        // the block being read
};

// Reads each record into the block being read.
class TRecordReader {
public:
  TRecordReader(TBlockPlacer& placer, TLineReader& reader, const TParseOptions& options, TArcReport& arcReport)
      : Placer(placer), Reader(reader), Options(options), ArcReport(arcReport) {}

  void Read(std::string_view line, bool blanksOnly);
  [[gnu::noinline]] void ReadOrLeaveOut(int number, const TRecord& record);
  template <std::size_t... Kinds>
  [[gnu::always_inline]] inline void Dispatch(int number, const TRecord& record, std::index_sequence<Kinds...>);

  // The handlers, one per record kind.

  // AC: the class is the first token after the keyword. A second AC in a
  // block places the block before it.
  void ReadClass(const TRecord& record) {
    if (Placer.Block().HasClass) Placer.PlaceBlock();
    TBlock& block = Placer.Block();
    block.HasClass = true;
    ArcSettings.Direction = TDirection::Clockwise;
    if (record.Rest.empty()) throw EStringListError("List index out of bounds (1)");
    block.Airspace.AirspaceClass.assign(FirstToken(record.Rest));
  }
  // AN: the tokens extend the name. A name that starts on a long line is
  // joined where the line stands, in the reader's buffer, which it takes
  // over: a name of many megabytes is then never copied.
  void ReadName(const TRecord& record) {
    TBlock& block = Placer.Block();
    TGrowingText& name = block.Airspace.Name;
    if (name.Empty()) {
      block.NameBlanks += record.Rest.empty() ? 0 : 1;
      if (record.Line.size() >= LongLine) {
        name = Reader.TakeBuffer();  // holds the line, from its first byte
        name.SetSize(JoinTokens(record.Rest, false, name.Data()));
        return;
      }
    }
    name.Reserve(record.Rest.size());
    name.SetSize(name.Size() + JoinTokens(record.Rest, !name.Empty(), name.Data() + name.Size()));
  }
  void ReadPin(const TRecord& record) {
    TBlock& block = Placer.Block();
    block.Airspace.Pin = ReadPoint(CoordinateValue(record));
    block.HasPin = true;
  }
  void ReadBorderPoint(const TRecord& record) {
    Placer.Block().Airspace.Border.AddPoint(ReadPoint(CoordinateValue(record)), Reader.LineNumber());
  }
  // AY: the airspace's type, the class written where AC says UNC; the last
  // AY with a value counts.
  void ReadType(const TRecord& record) {
    const std::string_view type = FirstToken(record.Rest);
    if (!type.empty()) Placer.Block().Type.assign(type);
  }
  void Ignore(const TRecord&) {}
  // AL and AH: ignored unless the limits are read; the last with a value counts.
  void ReadFloor(const TRecord& record) { ReadLimit(record, Placer.Block().Airspace.Floor); }
  void ReadCeiling(const TRecord& record) { ReadLimit(record, Placer.Block().Airspace.Ceiling); }
  // V, DA, DB, DC: ignored unless the arcs are drawn.
  void ReadVariable(const TRecord& record) {
    if (Options.ArcWarning == nullptr) return;
    if (const std::string reason = ApplyVariable(JoinTokens(record.Rest), ArcSettings); !reason.empty())
      LeaveOut(record, reason);
  }
  void ReadArcRecord(const TRecord& record) { ReadArcKind(record, ReadArc, &TArcReport::Arcs); }
  void ReadArcBetweenRecord(const TRecord& record) { ReadArcKind(record, ReadArcBetween, &TArcReport::Arcs); }
  void ReadCircleRecord(const TRecord& record) { ReadArcKind(record, ReadCircle, &TArcReport::Circles); }

private:
  void ReadLimit(const TRecord& record, TVerticalLimit& limit) {
    if (!Options.Limits) return;
    if (TVerticalLimit read = ReadVerticalLimit(Joined(record)); read.Kind != TVerticalLimit::TKind::None)
      limit = std::move(read);
  }
  // An arc or circle record taken into the border and counted, or left out.
  using TReadArc = std::string (*)(std::string_view, const TArcSettings&, TArc&);
  void ReadArcKind(const TRecord& record, TReadArc read, std::size_t TArcReport::*taken) {
    if (Options.ArcWarning == nullptr) return;
    TArc arc;
    if (const std::string reason = read(JoinTokens(record.Rest), ArcSettings, arc); !reason.empty())
      return LeaveOut(record, reason);
    arc.Line = Reader.LineNumber();
    Placer.Block().Airspace.Border.AddArc(arc);
    ++(ArcReport.*taken);
  }
  // A record that could not be used: told, with its line, and counted.
  void LeaveOut(const TRecord& record, const std::string& reason) {
    ++ArcReport.LeftOut;
    (*Options.ArcWarning)(Reader.LineNumber(), reason, record.Line);
  }

  // From this length on, a line that starts a name gives it its buffer.
  static constexpr std::size_t LongLine = std::size_t{64} * 1024;

  // The tokens after the keyword joined by single blanks, for ReadPoint. A
  // line with no delimiter but blanks, the usual case, gives its rest as it
  // stands, which reads the same: ReadPoint collapses runs of blanks and
  // drops a leading one.
  std::string_view CoordinateValue(const TRecord& record) {
    if (record.BlanksOnly) return record.Rest;
    return Joined(record);
  }
  // The tokens after the keyword joined, in a text kept from one record to
  // the next.
  std::string_view Joined(const TRecord& record) {
    JoinedValue.resize(record.Rest.size());
    JoinedValue.resize(JoinTokens(record.Rest, false, JoinedValue.data()));
    return JoinedValue;
  }

  TBlockPlacer& Placer;
  TLineReader& Reader;
  const TParseOptions& Options;
  TArcReport& ArcReport;
  TArcSettings ArcSettings;
  std::string JoinedValue;  // a coordinate's or limit's joined tokens
};

// What each record does to its airspace, in the order of the reader's
// keyword table. Every other record is read and ignored: SP, SB and the rest.
struct TRecordKind {
  std::string_view Keyword;
  void (TRecordReader::*Read)(const TRecord&);
};
constexpr std::array<TRecordKind, Keywords.size()> RecordKinds = {{
    {"AC", &TRecordReader::ReadClass},
    {"AN", &TRecordReader::ReadName},
    {"AT", &TRecordReader::ReadPin},
    {"AL", &TRecordReader::ReadFloor},
    {"AH", &TRecordReader::ReadCeiling},
    {"DP", &TRecordReader::ReadBorderPoint},
    {"AY", &TRecordReader::ReadType},
    {"V", &TRecordReader::ReadVariable},
    {"DA", &TRecordReader::ReadArcRecord},
    {"DB", &TRecordReader::ReadArcBetweenRecord},
    {"DC", &TRecordReader::ReadCircleRecord},
}};
static_assert(std::equal(RecordKinds.begin(), RecordKinds.end(), Keywords.begin(),
                         [](const TRecordKind& kind, std::string_view keyword) { return kind.Keyword == keyword; }),
              "one handler per keyword, in the keywords' order");

// The handler of the record's kind, called as a constant, so that the
// compiler can inline it as in a switch.
template <std::size_t... Kinds>
inline void TRecordReader::Dispatch(int number, const TRecord& record, std::index_sequence<Kinds...>) {
  const auto take = [&]<std::size_t Kind>() {
    if (number != static_cast<int>(Kind) + 1) return false;
    constexpr auto handler = RecordKinds[Kind].Read;
    (this->*handler)(record);
    return true;
  };
  (take.template operator()<Kinds>() || ...);
}

void TRecordReader::Read(std::string_view line, bool blanksOnly) {
  const TLineKeyword keyword = LineKeyword(line);
  if (keyword.Number < 0) return;
  const TRecord record{line, line.substr(keyword.Length), blanksOnly};
  if (Options.BrokenWarning != nullptr) [[unlikely]]
    return ReadOrLeaveOut(keyword.Number, record);
  Dispatch(keyword.Number, record, std::make_index_sequence<RecordKinds.size()>());
}

// The failures of a record's own values leave its airspace out; others, of
// reading or of memory, still end the run. Apart from Read, whose every
// record it would otherwise slow.
void TRecordReader::ReadOrLeaveOut(int number, const TRecord& record) {
  const auto leaveOut = [&](const Exception& error) {
    (*Options.BrokenWarning)(Reader.LineNumber(), error.Message(), record.Line);
    Placer.Block().Broken = true;
  };
  try {
    Dispatch(number, record, std::make_index_sequence<RecordKinds.size()>());
  } catch (const EConvertError& error) {
    leaveOut(error);
  } catch (const EStringListError& error) {
    leaveOut(error);
  } catch (const EOverflow& error) {
    leaveOut(error);
  }
}

// Line numbers beyond the eight hexadecimal digits of the report stay at the largest.
std::uint32_t PlaceOfLine(std::uint64_t line) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(line, UINT32_MAX));
}

void ParseBlocks(TLineReader& reader, TAirspaceList& airspaces, const TParseOptions& options, TParseReport& report) {
  std::string_view line;
  TBlockPlacer placer(airspaces, options.Keep, report.Broken);
  TRecordReader records(placer, reader, options, report.Arcs);
  bool more = reader.ReadLine(line);
  for (;;) {
    while (more && line.empty()) more = reader.ReadLine(line);  // blank lines between blocks
    if (!more) break;
    do {
      records.Read(line, reader.BlanksOnly());
      more = reader.ReadLine(line);
    } while (more && !line.empty());
    placer.PlaceBlock();
  }
  placer.Finish();
}

TAirspaceList Parse(TStream& stream, const TParseOptions& options, TParseReport& report) {
  TAirspaceList airspaces;
  TLineReader reader(stream);
  try {
    ParseBlocks(reader, airspaces, options, report);
  } catch (Exception& error) {
    error.SetPlace(PlaceOfLine(reader.LineNumber()));
    throw;
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory", PlaceOfLine(reader.LineNumber()));
  }
  return airspaces;
}

}  // namespace

TAirspaceList ParseAirspaces(TStream& stream) {
  TParseReport report;
  return Parse(stream, {}, report);
}

TAirspaceList ParseAirspacesWithArcs(TStream& stream, const TArcWarning& warn, TArcReport& report) {
  TParseReport parseReport;
  TAirspaceList airspaces = Parse(stream, {.ArcWarning = &warn}, parseReport);
  report = parseReport.Arcs;
  return airspaces;
}

TAirspaceList ParseAirspaces(TStream& stream, const TParseOptions& options, TParseReport& report) {
  return Parse(stream, options, report);
}
