// The OpenAir reader's last step: the records of each block given their
// meaning and gathered into airspaces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/AirspaceList.h"

class TStream;

// The input's airspaces in input order: an airspace starts at AC, and blank
// lines inside it are nothing (see TBlockPlacer). A failure of reading or
// parsing carries the input line on which it arose as its place.
TAirspaceList ParseAirspaces(TStream& stream);

// How the arc records went, where they are read.
struct TArcReport {
  std::size_t Arcs = 0;     // DA and DB records taken into borders
  std::size_t Circles = 0;  // DC records taken
  std::size_t LeftOut = 0;  // arc records that could not be used
};
// Told of each arc record that cannot be used: its input line, the reason,
// and the record.
using TArcWarning = std::function<void(std::uint64_t line, const std::string& reason, std::string_view record)>;

// The same, with the arcs and circles of V, DA, DB and DC records in the
// borders as records (geodesy/Arcs draws them); a record that cannot be used
// is left out, told in record order, never fatal.
TAirspaceList ParseAirspacesWithArcs(TStream& stream, const TArcWarning& warn, TArcReport& report);

// What a parse is asked to do beyond the records every parse reads.
struct TParseOptions {
  // Arcs: where set, as ParseAirspacesWithArcs.
  const TArcWarning* ArcWarning = nullptr;
  // AL and AH read as the floor and ceiling; otherwise they are nothing.
  bool Limits = false;
  // Where set, a record on which the run would end (an AC with no value, a
  // number that cannot be read) leaves its airspace out instead, and is told
  // here with its line, the failure's message and the record.
  const TArcWarning* BrokenWarning = nullptr;
  // Where set, each complete airspace is given to it before it is kept,
  // and is left out where it answers false.
  std::function<bool(TAirspace&)> Keep = {};
};
// How the parse went.
struct TParseReport {
  TArcReport Arcs;
  std::size_t Broken = 0;  // airspaces left out for a record that failed
};
TAirspaceList ParseAirspaces(TStream& stream, const TParseOptions& options, TParseReport& report);
