// The OpenAir reader's last step: the records of each block given their
// meaning and gathered into complete airspaces, given one at a time.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/AirspaceDraft.h"
#include "model/AirspaceList.h"
#include "model/Finding.h"
#include "openair/ArcRecords.h"
#include "openair/Keywords.h"
#include "openair/LineReader.h"

class TStream;

// What reading is asked to do beyond the records every run reads.
struct TReadOptions {
  // V, DA, DB and DC read into the borders as records (geodesy draws them);
  // one that cannot be used is left out with a warning, never fatal.
  bool Arcs = false;
  // AL and AH read as the floor and ceiling; otherwise they are nothing.
  bool Limits = false;
  // A record on which the run would end (an AC with no value, a number that
  // cannot be read) leaves its airspace out instead, with a warning.
  bool SkipBad = false;
  // Doubts about records that read are told as findings: coordinates that
  // look mistyped, unknown keywords, limits that cannot be read.
  bool Findings = false;
  // A check of the file, not a conversion: a record that fails is an error
  // finding and adds nothing, and reading goes on; minutes and seconds of
  // 60 or more are doubts too. Implies Findings.
  bool Check = false;
};

// How reading went.
struct TReadReport {
  std::size_t Arcs = 0;     // DA and DB records taken into borders
  std::size_t Circles = 0;  // DC records taken
  std::size_t LeftOut = 0;  // arc records that could not be used
  std::size_t Broken = 0;   // airspaces left out for a record that failed
};

// Reads an input's airspaces in input order. An airspace starts at AC: a
// block of records between blank lines that holds one starts a new airspace,
// and a block without one continues the airspace before it, so that blank
// lines inside an airspace are nothing; the first block of the input forms
// an airspace whatever it holds. A second AC in a block, as where airspaces
// follow each other with no blank line, ends the block there.
class TAirspaceReader {
public:
  explicit TAirspaceReader(TStream& stream, TReadOptions options = {})
      : Lines(stream), Options(options), Careful(options.SkipBad || options.Check || options.Findings) {
    Options.Findings = Options.Findings || Options.Check;
  }
  TAirspaceReader(const TAirspaceReader&) = delete;  // it points into itself
  TAirspaceReader& operator=(const TAirspaceReader&) = delete;

  // The next complete airspace, or nullptr at the end of the input. It stays
  // the reader's until the next call; the list may take from it. A failure
  // carries the input line on which it arose as its place.
  TAirspaceDraft* Next();

  // The warnings raised since they were last taken, in record order: those
  // of the airspace given and of the records read after it, or those read
  // before a failure.
  std::vector<TFinding> TakeFindings() { return std::exchange(Warnings, {}); }
  // The same, moved to the end of `into`; most airspaces raise none.
  void TakeFindings(std::vector<TFinding>& into) {
    if (Warnings.empty()) return;
    std::ranges::move(Warnings, std::back_inserter(into));
    Warnings.clear();
  }
  const TReadReport& Report() const { return FReport; }

private:
  // One record: its line, and the part after the keyword.
  struct TRecord {
    std::string_view Line;
    std::string_view Rest;  // empty, or starting with a delimiter
    bool BlanksOnly;        // the line holds no delimiter but the blank
  };
  // The records of one block, or of the airspace its blocks have made so far.
  struct TBlock : TAirspaceDraft {
    bool Broken = false;  // a record failed in it, where failures leave airspaces out
    // The blanks owed before the name where it continues a name of text: one
    // for each AN with a value read while the name was still empty (tokens
    // joined after text get a blank each, and a name of its own drops them).
    std::size_t NameBlanks = 0;

    bool HasClass() const { return Airspace.ClassLine != 0; }
    void Clear() {
      TAirspaceDraft::Clear();
      Broken = false;
      NameBlanks = 0;
    }
  };

  TAirspaceDraft* ReadNext();
  void ReadRecord(std::string_view line, TLineKeyword keyword);
  bool PlaceBlock();
  bool Complete();
  void Continue();
  template <bool Careful>
  void Read(TRecordKind kind, const TRecord& record);
  void ReadCarefully(TRecordKind kind, const TRecord& record);

  // The handlers, one per record kind.
  void ReadClass(const TRecord& record);
  void ReadName(const TRecord& record);
  void ReadPin(const TRecord& record);
  template <bool Careful>
  void ReadBorderPoint(const TRecord& record);
  TGeographicPoint ReadDoubtedPoint(const TRecord& record);
  void DoubtArcCoordinates(const TRecord& record, bool between);
  void NoteUnknownKeyword(const TRecord& record);
  void WarnOfUnknownKeywords();
  void ReadType(const TRecord& record);
  void ReadLimit(const TRecord& record, TVerticalLimit& limit, std::uint64_t& line);
  void ReadVariable(const TRecord& record);
  using TReadArc = std::string (*)(std::string_view, const TArcSettings&, TArc&, bool&);
  void ReadArcRecord(const TRecord& record, TReadArc read, std::size_t TReadReport::*taken);

  void Warn(const TRecord& record, std::string message, TFinding::TLeftOut leftOut,
            TFinding::TSeverity severity = TFinding::TSeverity::Warning);
  void WarnOfCentresElsewhere();
  std::string_view CoordinateValue(const TRecord& record);
  std::string_view Joined(const TRecord& record);

  TLineReader Lines;
  TReadOptions Options;
  bool Careful;  // records read by ReadCarefully
  TReadReport FReport;
  std::vector<TFinding> Warnings;
  TArcSettings ArcSettings;
  // The airspace its blocks have made so far, and the block being read: they
  // change places by their index, each keeping its storage.
  TBlock Blocks[2];
  TBlock* CurrentBlock = &Blocks[0];
  TBlock* ReadingBlock = &Blocks[1];
  TBlock& Current() { return *CurrentBlock; }
  TBlock& Reading() { return *ReadingBlock; }
  void ChangePlaces() { std::swap(CurrentBlock, ReadingBlock); }
  bool Started = false;           // a first block was placed
  bool Given = false;             // Current was given, and Reading starts the next airspace
  bool AtEnd = false;             // the input has ended
  std::string_view PendingClass;  // an AC line that ended its block, to be read next
  std::string JoinedValue;        // a coordinate's or limit's joined tokens
  // The keywords of no OpenAir record met so far, upper-cased, each with its
  // first line and its count.
  struct TUnknownKeyword {
    std::uint64_t FirstLine;
    std::size_t Count;
  };
  std::map<std::string, TUnknownKeyword, std::less<>> UnknownKeywords;
};

// Every airspace of the input, in input order; the warnings and the report
// where asked for.
TAirspaceList ParseAirspaces(TStream& stream, TReadOptions options = {}, TReadReport* report = nullptr,
                             std::vector<TFinding>* warnings = nullptr);
