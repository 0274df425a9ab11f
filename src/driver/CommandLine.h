// The command line: options and the two file names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TCommandLine {
  bool Arcs = false;
  bool Help = false;
  bool Version = false;
  std::string UnknownOption;  // the first, if any
  std::vector<std::string> Files;
};

// An argument that starts with "--" is an option wherever it stands, up to a
// first "--", after which every argument is a file name ("-" and "-h" are
// file names anyway). The options: --arcs, --help, --version; any other,
// "--arcs=yes" too, is unknown.
TCommandLine ReadCommandLine(int argc, const char* const* argv);

// The usage line with the options, and one line per option.
constexpr std::string_view OptionsUsage = "Usage: TARNEL [--arcs] <input-file[.oa]> <output-file[.zrn]>";
constexpr std::string_view OptionLines[] = {
    "  --arcs     draw arcs (DA, DB) and circles (DC) as border points; recommended",
    "  --help     show this help",
    "  --version  show the version",
};
