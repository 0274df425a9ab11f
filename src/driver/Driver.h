// The command-line driver: start-up, the conversion run and shut-down.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "driver/ConversionOptions.h"
#include "driver/Findings.h"
#include "driver/MapOutputs.h"
#include "numtext/NumText.h"
#include "openair/AirspaceReader.h"
#include "platform/FileStream.h"

// The driver's values for the whole run.
extern std::string InputFileName;
extern std::string OutputFileName;
extern std::unique_ptr<TFileStream> InputStream;
extern std::unique_ptr<TFileStream> OutputStream;
extern char SavedSeparator;

extern TConversionOptions ConversionOptions;

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

// Reads the whole input, then writes every airspace in input order:
// ConvertAirspaces on the driver's streams with the options; each warning on
// the standard error stream as it comes, and where the options ask for one,
// a summary line once the output is closed.
void Convert();

// What a conversion wrote, how its reading went, and what it left out.
struct TSummary {
  std::size_t Airspaces = 0;  // written, and their points, arcs and circles
  std::size_t Points = 0;
  std::size_t Arcs = 0;
  std::size_t Circles = 0;
  TReadReport Read;
  std::size_t Filtered = 0;  // left out by the filters
  std::size_t Warnings = 0;  // findings told
};
// The stages in order: read, one complete airspace at a time; keep, the
// filters; then, once the whole input is read, draw and write each airspace
// kept. With arcs, a point that repeats the texts of the one before it in
// its border is written once. In a run with options, the findings, each
// given to `warn` in line order once the output is written, or before any
// failure that ends the run.
// Where `maps` names them, the GeoJSON file and the page get each airspace
// as the ZRN does, and the page the findings.
TSummary ConvertAirspaces(TStream& input, TStream& output, const TConversionOptions& options = {},
                          const std::function<void(const TFinding&)>& warn = nullptr, const TMapStreams& maps = {});

// The summary line, where the options ask for one (--arcs, a filter,
// --skip-bad): "N airspaces, P points", then "; A arcs and C circles drawn;
// L left out" with --arcs (those of the airspaces written, then the arc
// records left out), "; K airspaces left out by filters" with a
// filter, "; K airspaces left out as broken" with --skip-bad, "; W
// warnings" where findings were told; in the singular for one. Empty where none is asked for.
std::string SummaryLine(const TSummary& summary, const TConversionOptions& options);

// Closes the input, then the output (raising EWriteError if any output write
// failed), and restores the decimal separator.
void ShutDown();

// After a failure, before its report: an output this run emptied is emptied
// again, whatever was written or buffered, and nothing more reaches it; an
// output it did not empty (one refused, say) stays as it was.
void AbandonOutput();
