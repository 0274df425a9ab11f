// The OpenAir reader's last step: the records of each block given their
// meaning and gathered into complete airspaces, given one at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/AirspaceDraft.h"
#include "model/AirspaceList.h"
#include "openair/ArcRecords.h"
#include "openair/Keywords.h"
#include "openair/LineReader.h"

class TStream;

// A record that was read but not used, or used with a doubt: its line, why,
// and what it cost.
struct TWarning {
  enum class TLeftOut { Nothing, Record, Airspace };
  std::uint64_t Line;
  std::string Message;
  TLeftOut LeftOut;
  std::string Record;  // the line as read
};

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
  explicit TAirspaceReader(TStream& stream, TReadOptions options = {}) : Lines(stream), Options(options) {}
  TAirspaceReader(const TAirspaceReader&) = delete;  // it points into itself
  TAirspaceReader& operator=(const TAirspaceReader&) = delete;

  // The next complete airspace, or nullptr at the end of the input. It stays
  // the reader's until the next call; the list may take from it. A failure
  // carries the input line on which it arose as its place.
  TAirspaceDraft* Next();

  // The warnings raised since they were last taken, in record order: those
  // of the airspace given and of the records read after it, or those read
  // before a failure.
  std::vector<TWarning> TakeWarnings() { return std::exchange(Warnings, {}); }
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
    bool Broken = false;          // a record failed in it, where failures leave airspaces out
    std::uint64_t FirstLine = 0;  // of its first record
    // The blanks owed before the name where it continues a name of text: one
    // for each AN with a value read while the name was still empty (tokens
    // joined after text get a blank each, and a name of its own drops them).
    std::size_t NameBlanks = 0;

    bool HasClass() const { return Airspace.ClassLine != 0; }
    void Clear() {
      TAirspaceDraft::Clear();
      Broken = false;
      FirstLine = 0;
      NameBlanks = 0;
    }
  };

  TAirspaceDraft* ReadNext();
  void ReadRecord(std::string_view line, TLineKeyword keyword);
  bool PlaceBlock();
  bool Complete();
  void Continue();
  void Read(TRecordKind kind, const TRecord& record);
  void ReadOrLeaveOut(TRecordKind kind, const TRecord& record);

  // The handlers, one per record kind.
  void ReadClass(const TRecord& record);
  void ReadName(const TRecord& record);
  void ReadPin(const TRecord& record);
  void ReadBorderPoint(const TRecord& record);
  void ReadType(const TRecord& record);
  void ReadLimit(const TRecord& record, TVerticalLimit& limit, std::uint64_t& line);
  void ReadVariable(const TRecord& record);
  using TReadArc = std::string (*)(std::string_view, const TArcSettings&, TArc&);
  void ReadArcRecord(const TRecord& record, TReadArc read, std::size_t TReadReport::*taken);

  void Warn(const TRecord& record, std::string message, TWarning::TLeftOut leftOut);
  void WarnOfCentresElsewhere();
  std::string_view CoordinateValue(const TRecord& record);
  std::string_view Joined(const TRecord& record);

  TLineReader Lines;
  TReadOptions Options;
  TReadReport FReport;
  std::vector<TWarning> Warnings;
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
};

// Every airspace of the input, in input order; the warnings and the report
// where asked for.
TAirspaceList ParseAirspaces(TStream& stream, TReadOptions options = {}, TReadReport* report = nullptr,
                             std::vector<TWarning>* warnings = nullptr);
