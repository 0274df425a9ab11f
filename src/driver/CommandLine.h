// The command line: options, their values, and the two file names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "driver/ConversionOptions.h"

struct TCommandLine {
  TConversionOptions Options;
  bool Help = false;
  bool Version = false;
  bool Check = false;         // --check: the input checked, no output
  std::string UnknownOption;  // the first, if any
  std::string ValueError;     // the message for the first option value that cannot be used
  std::vector<std::string> Files;
};

// An argument that starts with "--" is an option wherever it stands, up to a
// first "--", after which every argument is a file name ("-" and "-h" are
// file names anyway, but for one after the second file name, which is taken
// for a mistyped option, and "-h" as the only argument, which is --help; on
// Windows "/?" is --help wherever --help would be taken). The options: --arcs, --decimals=N, --limits,
// --max-floor=LIMIT, --classes=LIST, --exclude-classes=LIST, --types=LIST,
// --exclude-types=LIST, --keep-types=LIST, --skip-bad, --arc-tolerance=METRES,
// --pins, --geojson=FILE, --preview=FILE, --tiles=URL, --encoding=NAME,
// --check, --help, --version; a value follows "=" or is the next argument, whatever
// it is. Any other option, "--arcs=yes" too, is unknown. Every value given
// must be valid; the last --decimals and --max-floor count, and each list
// adds its names.
TCommandLine ReadCommandLine(int argc, const char* const* argv);

// The usage line with the options, and one line per option.
constexpr std::string_view OptionsUsage = "Usage: TARNEL [options] <input-file[.oa]> <output-file[.zrn]>";
constexpr std::string_view CheckUsage = "Usage: TARNEL --check [options] <input-file[.oa]>";
constexpr std::string_view OptionLines[] = {
    "  --arcs                  draw arcs (DA, DB) and circles (DC) as border points; recommended",
    "  --decimals=N            write border points with N decimals, 2 to 11 (default 2); 6 recommended",
    "  --limits                write the floor and ceiling after the name: NAME GND-2500FT",
    "  --max-floor=LIMIT       leave out airspaces whose floor is at or above LIMIT (FL100, 3000ft, 1500m)",
    "  --classes=LIST          write only the classes in LIST, separated by commas (R,Q,P,D)",
    "  --exclude-classes=LIST  leave out the classes in LIST (FIR,E)",
    "  --types=LIST            write only the types in LIST (AY, or the class where there is none)",
    "  --exclude-types=LIST    leave out the types in LIST",
    "  --keep-types=LIST       keep the types in LIST whatever the class filters say (TMZ,RMZ,ATZ)",
    "  --skip-bad              leave out an airspace with a record that cannot be read, not the whole file",
    "  --arc-tolerance=METRES  with --arcs, no chord further than METRES from its arc, 0.01 to 1000 (default 10)",
    "  --pins                  label an airspace without AT at the point of its inside farthest from its border",
    "  --geojson=FILE          also write the airspaces as GeoJSON (RFC 7946) to FILE",
    "  --preview=FILE          also write a page to open in a browser: the airspaces on a map",
    "  --tiles=URL             the page's map tiles, a template like https://tile.example/{z}/{x}/{y}.png",
    "  --encoding=NAME         the input's texts for GeoJSON and the page: utf-8, windows-1250, windows-1252,",
    "                          iso-8859-1, iso-8859-2, iso-8859-15 (default: utf-8 where valid, else windows-1252)",
    "  --check                 write nothing: list every error and doubt of the input file at its line",
    "                          (TARNEL --check <input-file>); exit code 1 where an error was found",
    "  --help                  show this help",
    "  --version               show the version",
};
