// The command-line driver: start-up, the conversion run and shut-down.
#pragma once

#include <memory>
#include <string>

#include "openair/BlockParser.h"
#include "platform/FileStream.h"

// The driver's values for the whole run.
extern std::string InputFileName;
extern std::string OutputFileName;
extern std::unique_ptr<TFileStream> InputStream;
extern std::unique_ptr<TFileStream> OutputStream;
extern char SavedSeparator;
extern bool DrawArcs;  // --arcs

constexpr const char* BannerLines[] = {
    "Skavlen",
    "Auxiliary Module - OpenAir Importer 1.0",
    "Copyright (c) 2026 the Skavlen project",
    "",
};

// Sets the decimal separator, prints the banner, reads the options and
// checks the arguments, opens the input and creates the output. Ends the
// process after --help or --version with exit code 0, and with exit code 1
// after its message when an option is unknown, the arguments are missing or
// the input does not exist.
void StartUp(int argc, const char* const* argv);

// Parses the whole input, then writes every airspace in input order:
// ConvertAirspaces on the driver's streams; with --arcs,
// ConvertAirspacesWithArcs, a warning on the standard error stream for each
// arc record left out, and a summary line.
void Convert();
void ConvertAirspaces(TStream& input, TStream& output);

// What a conversion with arcs wrote and drew.
struct TArcSummary {
  std::size_t Airspaces = 0;
  std::size_t Points = 0;
  TArcReport Arcs;
};
// Arcs and circles drawn, and a point that repeats the texts of the one
// before it in its border written once.
TArcSummary ConvertAirspacesWithArcs(TStream& input, TStream& output, const TArcWarning& warn);

// Closes the input, then the output (raising EWriteError if any output write
// failed), and restores the decimal separator.
void ShutDown();
