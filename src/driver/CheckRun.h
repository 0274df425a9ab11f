// The check of a file for its maintainer: every finding, no output.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "check/Extent.h"
#include "keep/Filters.h"
#include "model/Finding.h"

class TStream;

struct TCheckSummary {
  std::size_t Errors = 0;
  std::size_t Warnings = 0;
  TExtent Extent;  // of every airspace's points as drawn
};

// Reads the whole input with its arcs and limits, a record that fails
// adding nothing, draws each airspace and checks it; gives every finding to
// `tell` in line order. The filters hide the warnings of the airspaces they
// leave out; errors are always told.
TCheckSummary CheckAirspaces(TStream& input, const TFilters& filters, const std::function<void(const TFinding&)>& tell);

// ‹3 errors, 1 warning›.
std::string CountsLine(const TCheckSummary& summary);
// ‹extent 48.71 N to 50.93 N, 12.09 E to 18.86 E›, or ‹no points›.
std::string ExtentLine(const TExtent& extent);
