// The command line: options, their values, and the two file names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numtext/NumText.h"

struct TCommandLine {
  bool Arcs = false;
  int Decimals = FloatDigits;
  bool Help = false;
  bool Version = false;
  std::string UnknownOption;  // the first, if any
  std::string ValueError;     // the message for the first option value that cannot be used
  std::vector<std::string> Files;
};

// An argument that starts with "--" is an option wherever it stands, up to a
// first "--", after which every argument is a file name ("-" and "-h" are
// file names anyway, but for one after the second file name, which is taken
// for a mistyped option). The options: --arcs, --decimals=N (or --decimals
// N: the next argument, whatever it is, is the value), --help, --version;
// any other, "--arcs=yes" too, is unknown. Every value given must be valid;
// the last one counts.
TCommandLine ReadCommandLine(int argc, const char* const* argv);

// The usage line with the options, and one line per option.
constexpr std::string_view OptionsUsage = "Usage: TARNEL [--arcs] [--decimals=N] <input-file[.oa]> <output-file[.zrn]>";
constexpr std::string_view OptionLines[] = {
    "  --arcs        draw arcs (DA, DB) and circles (DC) as border points; recommended",
    "  --decimals=N  write border points with N decimals, 2 to 11 (default 2); 6 recommended",
    "  --help        show this help",
    "  --version     show the version",
};
