// The block parser: a table gives each record kind its handler, which fills
// the airspace of the block.
#include "openair/BlockParser.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Errors.h"
#include "base/UpperCase.h"
#include "io/GrowingText.h"
#include "model/Airspace.h"
#include "numtext/Hundredths.h"
#include "openair/ArcRecords.h"
#include "openair/Keywords.h"
#include "openair/LineReader.h"
#include "openair/Tokens.h"

namespace {

// One record: its line, and the part after the keyword.
struct TRecord {
  std::string_view Line;
  std::string_view Rest;  // empty, or starting with a delimiter
  bool BlanksOnly;        // the line holds no delimiter but the blank
};

// Fills the airspaces from the records of the blocks. An airspace starts at
// an AC: a block that holds one starts a new airspace with its first record,
// a block without one continues the airspace before it, so that blank lines
// inside an airspace are nothing. Whether a block holds an AC is known only
// at its AC, so the block's records go to the airspace being built, and
// move to a new one at the AC (SplitAtBlock). The first block of the input
// starts an airspace whatever it holds. The airspace is a scratch one whose
// texts and border keep their storage from one to the next; the list copies
// them, or takes them over where they are long.
class TAirspaceBuilder {
public:
  // With arcs where `arcs` is given: what to tell of a record left out, and
  // the counts.
  struct TArcs {
    const TArcWarning& Warn;
    TArcReport& Report;
  };
  TAirspaceBuilder(TAirspaceList& airspaces, TLineReader& reader, const TArcs* arcs)
      : Airspaces(airspaces), Reader(reader), Arcs(arcs) {}

  void StartBlock() {
    BeganInBlock = !Open;
    if (!Open) Start();
    Open = true;
    Mark = {Building.Name.Size(), Building.Border.size(), Building.Pin, Type};
    BlockHadClass = BlockSetPin = BlockSetType = false;
  }
  void Take(std::string_view line, bool blanksOnly);
  template <std::size_t... Kinds>
  void Dispatch(int number, const TRecord& record, std::index_sequence<Kinds...>);
  // At the end of the input.
  void Finish() {
    if (Open) Complete();
  }

  // The handlers, one per record kind.

  // AC: the class is the first token after the keyword. The block's first
  // AC starts a new airspace with the block's first record; a second AC in
  // a block, as where airspaces follow each other with no blank line,
  // completes the airspace and starts the next with itself.
  void TakeClass(const TRecord& record) {
    if (BlockHadClass) {
      Complete();
      Start();
    } else if (!BeganInBlock) {
      SplitAtBlock();
    }
    BlockHadClass = true;
    ArcSettings.Direction = TDirection::Clockwise;
    if (record.Rest.empty()) throw EStringListError("List index out of bounds (1)");
    Building.AirspaceClass.assign(FirstToken(record.Rest));
  }
  // AN: the tokens extend the name. A name that starts on a long line is
  // joined where the line stands, in the reader's buffer, which it takes
  // over: a name of many megabytes is then never copied.
  void TakeName(const TRecord& record) {
    TGrowingText& name = Building.Name;
    if (name.Empty() && record.Line.size() >= LongLine) {
      name = Reader.TakeBuffer();  // holds the line, from its first byte
      name.SetSize(JoinTokens(record.Rest, false, name.Data()));
      return;
    }
    name.Reserve(record.Rest.size());
    name.SetSize(name.Size() + JoinTokens(record.Rest, !name.Empty(), name.Data() + name.Size()));
  }
  void TakePin(const TRecord& record) {
    Building.Pin.SetFromText(CoordinateValue(record));
    BlockSetPin = true;
  }
  void TakePoint(const TRecord& record) {
    Building.AddBorderPoint(CoordinateValue(record));
    if (Arcs != nullptr) DropRepeats(Building.Border.size() - 1);
  }
  // AY: the airspace's type, the class written where AC says UNC; the last
  // AY with a value counts.
  void TakeType(const TRecord& record) {
    const std::string_view type = FirstToken(record.Rest);
    if (type.empty()) return;
    Type.assign(type);
    BlockSetType = true;
  }
  void Ignore(const TRecord&) {}
  // V, DA, DB, DC: ignored unless the arcs are drawn.
  void TakeVariable(const TRecord& record) {
    if (Arcs == nullptr) return;
    if (const std::string reason = ApplyVariable(JoinTokens(record.Rest), ArcSettings); !reason.empty())
      LeaveOut(record, reason);
  }
  void TakeArc(const TRecord& record) { Draw(record, DrawArc, &TArcReport::Arcs); }
  void TakeArcBetween(const TRecord& record) { Draw(record, DrawArcBetween, &TArcReport::Arcs); }
  void TakeCircle(const TRecord& record) { Draw(record, DrawCircle, &TArcReport::Circles); }

private:
  // With arcs, the border keeps no point whose texts repeat those of the
  // point before it, from `from` on: fewer points held, and written as the
  // writer would write them (it drops the repeats the border still has).
  // Only points of the block being read are compared with each other where
  // the block may yet move to a new airspace at an AC.
  void DropRepeats(std::size_t from) {
    std::vector<TGeographicPoint>& border = Building.Border;
    const std::size_t first = BlockHadClass || BeganInBlock ? 0 : Mark.BorderSize;
    std::size_t kept = from;
    for (std::size_t i = from; i < border.size(); ++i) {
      if (kept > first && SameTwoDecimalTexts(border[i].Latitude, border[kept - 1].Latitude) &&
          SameTwoDecimalTexts(border[i].Longitude, border[kept - 1].Longitude))
        continue;
      border[kept++] = border[i];
    }
    border.resize(kept);
  }

  // An arc or circle record drawn into the border and counted, or left out.
  using TDraw = std::string (*)(std::string_view, const TArcSettings&, std::vector<TGeographicPoint>&);
  void Draw(const TRecord& record, TDraw draw, std::size_t TArcReport::*drawn) {
    if (Arcs == nullptr) return;
    const std::size_t from = Building.Border.size();
    if (const std::string reason = draw(JoinTokens(record.Rest), ArcSettings, Building.Border); !reason.empty())
      return LeaveOut(record, reason);
    ++(Arcs->Report.*drawn);
    DropRepeats(from);
  }
  // A record that could not be used: told, with its line, and counted.
  void LeaveOut(const TRecord& record, const std::string& reason) {
    ++Arcs->Report.LeftOut;
    Arcs->Warn(Reader.LineNumber(), reason, record.Line);
  }

  // From this length on, a line that starts a name gives it its buffer.
  static constexpr std::size_t LongLine = std::size_t{64} * 1024;

  // What the airspace had when the block began.
  struct TMark {
    std::size_t NameSize = 0;
    std::size_t BorderSize = 0;
    TGeographicPoint Pin;
    std::string Type;
  };

  void Start() {
    Building.AirspaceClass.clear();
    Building.Name.Clear();
    Building.Pin = TGeographicPoint();
    Building.Border.clear();
    Type.clear();
  }
  void Complete() {
    if (IsUnclassified(Building.AirspaceClass) && !Type.empty()) Building.AirspaceClass = Type;
    Airspaces.Add(Building);
  }
  static bool IsUnclassified(std::string_view airspaceClass) {
    return airspaceClass.size() == 3 && UpperCaseChar(airspaceClass[0]) == 'U' &&
           UpperCaseChar(airspaceClass[1]) == 'N' && UpperCaseChar(airspaceClass[2]) == 'C';
  }

  // The records of the block so far move to a new airspace; the airspace
  // built before keeps what it had when the block began, and is complete.
  // The block's name tokens were joined after that airspace's name: as the
  // start of a name of their own they lose the blanks before them (tokens
  // hold no blank).
  void SplitAtBlock() {
    std::string name(Building.Name.View().substr(Mark.NameSize));
    name.erase(0, name.find_first_not_of(' '));
    std::vector<TGeographicPoint> border(Building.Border.begin() + static_cast<std::ptrdiff_t>(Mark.BorderSize),
                                         Building.Border.end());
    const TGeographicPoint pin = BlockSetPin ? Building.Pin : TGeographicPoint();
    std::string type = BlockSetType ? Type : std::string();
    Building.Name.SetSize(Mark.NameSize);
    Building.Border.resize(Mark.BorderSize);
    Building.Pin = Mark.Pin;
    Type = Mark.Type;
    Complete();
    Start();
    Building.Name.Append(name);
    Building.Border.assign(border.begin(), border.end());
    Building.Pin = pin;
    Type = std::move(type);
  }

  // The tokens after the keyword joined by single blanks, for SetFromText.
  // A line with no delimiter but blanks, the usual case, gives its rest as
  // it stands, which reads the same: SetFromText collapses runs of blanks
  // and drops a leading one.
  std::string_view CoordinateValue(const TRecord& record) {
    if (record.BlanksOnly) return record.Rest;
    Scratch = JoinTokens(record.Rest);
    return Scratch;
  }

  TAirspaceList& Airspaces;
  TLineReader& Reader;
  const TArcs* Arcs;
  TArcSettings ArcSettings;
  TAirspace Building;
  std::string Type;           // the AY value
  bool Open = false;          // an airspace is being built
  bool BeganInBlock = false;  // and began with the block being read
  TMark Mark;
  bool BlockHadClass = false;  // the block being read has had an AC
  bool BlockSetPin = false;
  bool BlockSetType = false;
  std::string Scratch;
};

// What each record does to its airspace, in the order of the reader's
// keyword table. Every other record is read and ignored: SP, SB and the rest.
struct TRecordKind {
  std::string_view Keyword;
  void (TAirspaceBuilder::*Take)(const TRecord&);
};
constexpr std::array<TRecordKind, Keywords.size()> RecordKinds = {{
    {"AC", &TAirspaceBuilder::TakeClass},
    {"AN", &TAirspaceBuilder::TakeName},
    {"AT", &TAirspaceBuilder::TakePin},
    {"AL", &TAirspaceBuilder::Ignore},
    {"AH", &TAirspaceBuilder::Ignore},
    {"DP", &TAirspaceBuilder::TakePoint},
    {"AY", &TAirspaceBuilder::TakeType},
    {"V", &TAirspaceBuilder::TakeVariable},
    {"DA", &TAirspaceBuilder::TakeArc},
    {"DB", &TAirspaceBuilder::TakeArcBetween},
    {"DC", &TAirspaceBuilder::TakeCircle},
}};
static_assert(std::equal(RecordKinds.begin(), RecordKinds.end(), Keywords.begin(),
                         [](const TRecordKind& kind, std::string_view keyword) { return kind.Keyword == keyword; }),
              "one handler per keyword, in the keywords' order");

// The handler of the record's kind, called as a constant, so that the
// compiler can inline it as in a switch.
template <std::size_t... Kinds>
void TAirspaceBuilder::Dispatch(int number, const TRecord& record, std::index_sequence<Kinds...>) {
  const auto take = [&]<std::size_t Kind>() {
    if (number != static_cast<int>(Kind) + 1) return false;
    constexpr auto handler = RecordKinds[Kind].Take;
    (this->*handler)(record);
    return true;
  };
  (take.template operator()<Kinds>() || ...);
}

void TAirspaceBuilder::Take(std::string_view line, bool blanksOnly) {
  const TLineKeyword keyword = LineKeyword(line);
  if (keyword.Number < 0) return;
  Dispatch(keyword.Number, {line, line.substr(keyword.Length), blanksOnly},
           std::make_index_sequence<RecordKinds.size()>());
}

// Line numbers beyond the eight hexadecimal digits of the report stay at the largest.
std::uint32_t PlaceOfLine(std::uint64_t line) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(line, UINT32_MAX));
}

void ParseBlocks(TLineReader& reader, TAirspaceList& airspaces, const TAirspaceBuilder::TArcs* arcs) {
  std::string_view line;
  TAirspaceBuilder builder(airspaces, reader, arcs);
  bool more = reader.ReadLine(line);
  for (;;) {
    while (more && line.empty()) more = reader.ReadLine(line);  // blank lines between blocks
    if (!more) break;
    builder.StartBlock();
    do {
      builder.Take(line, reader.BlanksOnly());
      more = reader.ReadLine(line);
    } while (more && !line.empty());
  }
  builder.Finish();
}

TAirspaceList Parse(TStream& stream, const TAirspaceBuilder::TArcs* arcs) {
  TAirspaceList airspaces;
  TLineReader reader(stream);
  try {
    ParseBlocks(reader, airspaces, arcs);
  } catch (Exception& error) {
    error.SetPlace(PlaceOfLine(reader.LineNumber()));
    throw;
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory", PlaceOfLine(reader.LineNumber()));
  }
  return airspaces;
}

}  // namespace

TAirspaceList ParseAirspaces(TStream& stream) { return Parse(stream, nullptr); }

TAirspaceList ParseAirspacesWithArcs(TStream& stream, const TArcWarning& warn, TArcReport& report) {
  const TAirspaceBuilder::TArcs arcs{warn, report};
  return Parse(stream, &arcs);
}
