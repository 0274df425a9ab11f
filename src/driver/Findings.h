// The findings of a run gathered from its stages, those the filters hide
// dropped, and told in line order.
#pragma once

#include <cstdint>
#include <vector>

#include "keep/Filters.h"
#include "model/Airspace.h"
#include "model/Finding.h"

class TFindings {
public:
  void Add(TFinding finding) { Found.push_back(std::move(finding)); }
  void Add(std::vector<TFinding> findings);
  // Where the stages add theirs directly.
  std::vector<TFinding>& List() { return Found; }
  // Each airspace read, in input order, and whether the filters left it
  // out: the warnings from its first line up to the next airspace's are
  // then dropped. Its class is noted where the filters name classes.
  void Airspace(const TAirspace& airspace, bool leftOut, const TFilters& filters) {
    if (leftOut || LastLeftOut || filters.Classes) NoteAirspace(airspace, leftOut, filters);
  }
  // Where --classes named a class that no airspace read has.
  void ClassesNotFound(const TFilters& filters);

  // Every finding kept, by line, errors first within a line, those of no
  // one line last; the gathered ones are then gone.
  std::vector<TFinding> InLineOrder();

private:
  struct TSpan {
    std::uint64_t First;
    std::uint64_t Last;  // inclusive
  };
  bool Hidden(const TFinding& finding) const;
  void NoteAirspace(const TAirspace& airspace, bool leftOut, const TFilters& filters);

  std::vector<TFinding> Found;
  std::vector<TSpan> LeftOut;  // in line order
  bool LastLeftOut = false;
  TClassSet Classes;  // of every airspace read, upper-cased
};

// ‹Warning: line N: MESSAGE›, then ‹, left out: RECORD› or ‹, airspace left
// out: RECORD› where something was left out; ‹Warning: MESSAGE› for a
// finding of no one line.
std::string WarningText(const TFinding& finding);
// ‹FILE:N: error: MESSAGE› or ‹FILE:N: warning: MESSAGE›, as compilers write.
std::string CheckText(const TFinding& finding, const std::string& fileName);
