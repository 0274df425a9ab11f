// One complete airspace, as every stage after the reader takes it: the one
// place that lists an airspace's fields.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "model/Border.h"
#include "model/GeographicPoint.h"
#include "model/VerticalLimit.h"

// What only some runs read: the arcs and circles (--arcs), the type, and the
// floor and ceiling (--limits, --max-floor). Held apart from the airspace,
// and only where one of them was read, so that an airspace of the default
// run stays small. A line is 0 where no record gave the value.
struct TAirspaceDetails {
  std::span<const TArc> Arcs;  // DA, DB, DC in input order, each after Border.Points[Position - 1]
  std::string_view Type;       // AY: the last value; empty where none
  std::uint64_t TypeLine = 0;
  TVerticalLimit Floor;  // AL: the last value read
  std::uint64_t FloorLine = 0;
  TVerticalLimit Ceiling;  // AH: likewise
  std::uint64_t CeilingLine = 0;
};

// An airspace's values, and views of its texts and points, valid while what
// holds them is (the reader until its next airspace, the list). Each record's
// input line is counted from 1; 0 where no record gave the value.
struct TAirspace {
  std::uint64_t FirstLine = 0;     // of its first record
  std::string_view AirspaceClass;  // AC as written; the AY type where AC says UNC
  std::uint64_t ClassLine = 0;     // the AC that starts the airspace
  std::string_view Name;           // the AN records' tokens joined
  std::uint64_t NameLine = 0;      // the first AN with a value
  TGeographicPoint Pin;            // AT; 0/0 where none was given
  std::uint64_t PinLine = 0;
  TBorderView Border;                         // DP points with their lines
  const TAirspaceDetails* Details = nullptr;  // where any was read
  bool ArcsUnread = false;                    // DA, DB or DC records, where they were not read

  std::span<const TArc> Arcs() const { return Details != nullptr ? Details->Arcs : std::span<const TArc>(); }
};
