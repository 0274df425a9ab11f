// A finding: something about an input file that its maintainer should know,
// with the line it stands on, told by the reader, the checks and the driver.
#pragma once

#include <cstdint>
#include <string>

struct TFinding {
  // What the run did with the record: used it, left it out, or left its
  // airspace out.
  enum class TLeftOut { Nothing, Record, Airspace };
  // An error is a record on which the bare conversion fails, or one that
  // --arcs leaves out; anything else is a warning.
  enum class TSeverity { Warning, Error };

  std::uint64_t Line;  // counted from 1; 0 for a finding of no one line
  std::string Message;
  TLeftOut LeftOut = TLeftOut::Nothing;
  std::string Record = {};  // the line as read, where something was left out
  TSeverity Severity = TSeverity::Warning;
  // Of the file as a whole, not of one airspace: the filters never hide it.
  bool OfFile = false;

  bool IsError() const { return Severity == TSeverity::Error; }
};
