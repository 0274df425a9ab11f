// The driver's steps: the banner and argument checks, the two files, the
// conversion, the closing of the output.
#include "driver/Driver.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "driver/CommandLine.h"
#include "geodesy/Arcs.h"
#include "model/AirspaceList.h"
#include "numtext/NumText.h"
#include "openair/BlockParser.h"
#include "openair/OpenAirCheck.h"
#include "platform/Console.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "zrn/AirspaceWriter.h"

std::string InputFileName;
std::string OutputFileName;
std::unique_ptr<TFileStream> InputStream;
std::unique_ptr<TFileStream> OutputStream;
char SavedSeparator = '.';
TConversionOptions ConversionOptions;

namespace {

[[noreturn]] void ArgumentsMissing() {
  ConsoleWriteLine("Error: Arguments missing...");
  ConsoleWriteLine("Usage: TARNEL <input-file[.oa]> <output-file[.zrn]>");
  ConsoleWriteLine("");
  Halt(1);
}

[[noreturn]] void ShowHelp() {
  ConsoleWriteLine(OptionsUsage);
  for (const std::string_view line : OptionLines) ConsoleWriteLine(line);
  Halt(0);
}

// An option that is unknown, or whose value cannot be used.
[[noreturn]] void OptionError(const std::string& message) {
  ConsoleWriteLine("Error: " + message);
  ConsoleWriteLine(OptionsUsage);
  ConsoleWriteLine("");
  Halt(1);
}

[[noreturn]] void InputMissing() {
  ConsoleWriteLine("Error: The specified input file doesn't exist...");
  Halt(1);
}

// An existing OpenAir file named as the output, as when the two arguments
// are swapped, is kept: to replace it on purpose, delete it first.
// Most files tell within their first bytes; only those read further.
bool HoldsOpenAir(TFileStream& output) {
  const std::string start = output.ReadStart(OpenAirFirstLook);
  if (const std::optional<bool> told = StartsAsOpenAir(start, start.size() < OpenAirFirstLook)) return *told;
  return *StartsAsOpenAir(output.ReadStart(OpenAirCheckBytes), true);
}

void RefuseOpenAirOutput(TFileStream& output) {
  if (output.IsRegularFile() && HoldsOpenAir(output))
    throw EFCreateError("Cannot create file \"" + ExpandFileName(output.FileName()) +
                        "\". It holds OpenAir airspaces and is not replaced");
}

// ‹Warning: line N: REASON, WHAT: RECORD› on the standard error stream.
void Warn(std::uint64_t line, const std::string& reason, const char* what, std::string_view record) {
  ConsoleWriteError("Warning: line " + std::to_string(line) + ": " + reason + ", " + what + ": " + std::string(record) +
                    "\r\n");
}

}  // namespace

void StartUp(int argc, const char* const* argv) {
  SavedSeparator = DecimalSeparator;
  DecimalSeparator = '.';
  for (const char* line : BannerLines) ConsoleWriteLine(line);
  const TCommandLine commandLine = ReadCommandLine(argc, argv);
  if (commandLine.Help) ShowHelp();
  if (commandLine.Version) Halt(0);  // the banner carries the version
  if (!commandLine.UnknownOption.empty()) OptionError("Unknown option " + commandLine.UnknownOption);
  if (!commandLine.ValueError.empty()) OptionError(commandLine.ValueError);
  if (commandLine.Files.size() < 2) ArgumentsMissing();
  InputFileName = commandLine.Files[0];
  OutputFileName = commandLine.Files[1];
  ConversionOptions = commandLine.Options;
  if (!FileExists(InputFileName)) InputMissing();
  RefuseOutputThatIsTheInput(InputFileName, OutputFileName);
  InputStream = std::make_unique<TFileStream>(InputFileName, TFileStream::TMode::OpenRead);
  OutputStream = std::make_unique<TFileStream>(OutputFileName, TFileStream::TMode::Create);
  RefuseOutputThatIsTheInput(*InputStream, *OutputStream);
  RefuseOpenAirOutput(*OutputStream);
  OutputStream->Truncate();
}

void Convert() {
  const auto warn = [](std::uint64_t line, const std::string& reason, std::string_view record) {
    Warn(line, reason, "left out", record);
  };
  const auto warnBroken = [](std::uint64_t line, const std::string& message, std::string_view record) {
    Warn(line, message, "airspace left out", record);
  };
  const TSummary summary = ConvertAirspaces(*InputStream, *OutputStream, ConversionOptions, warn, warnBroken);
  const std::string line = SummaryLine(summary, ConversionOptions);
  if (line.empty()) return;
  OutputStream->Close();  // the summary tells of a complete output only
  ConsoleWriteLine(line);
}

namespace {

// The border's points as written: with arcs, drawn one airspace at a time.
std::span<const TGeographicPoint> PointsOf(const TAirspaceView& airspace, std::vector<TGeographicPoint>& drawn) {
  if (airspace.Border.Arcs.empty()) return airspace.Border.Points;
  drawn.clear();
  DrawBorder(airspace.Border, drawn);
  return drawn;
}

// "1 point", "2 points".
std::string Count(std::size_t count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}  // namespace

// Nothing is written before the whole input has been parsed, so a failing
// parse leaves the output empty.
TSummary ConvertAirspaces(TStream& input, TStream& output, const TConversionOptions& options, const TArcWarning& warn,
                          const TArcWarning& warnBroken) {
  TSummary summary;
  TParseOptions parse{.ArcWarning = options.Arcs ? &warn : nullptr,
                      .Limits = options.Limits || options.Filters.MaxFloor.has_value(),
                      .BrokenWarning = options.SkipBad ? &warnBroken : nullptr};
  if (options.Limits || options.Filters.Any()) {
    parse.Keep = [&](TAirspace& airspace) {
      if (LeftOut(airspace, options.Filters)) return ++summary.Filtered, false;
      if (options.Limits)
        airspace.Name.Append(LimitsAfterName(airspace.Name.Empty(), airspace.Floor, airspace.Ceiling));
      return true;
    };
  }
  TParseReport report;
  const TAirspaceList airspaces = ParseAirspaces(input, parse, report);
  summary.Arcs = report.Arcs;
  summary.Broken = report.Broken;
  const TPointFormat format{options.Digits, options.Arcs ? TRepeats::Dropped : TRepeats::Kept};
  std::vector<TGeographicPoint> drawn;
  for (const TAirspaceView& airspace : airspaces)
    summary.Points += WriteAirspace(airspace, PointsOf(airspace, drawn), output, format);
  summary.Airspaces = airspaces.size();
  return summary;
}

std::string SummaryLine(const TSummary& summary, const TConversionOptions& options) {
  if (!options.Arcs && !options.Filters.Any() && !options.SkipBad) return {};
  std::string line = Count(summary.Airspaces, "airspace") + ", " + Count(summary.Points, "point");
  if (options.Arcs)
    line += "; " + Count(summary.Arcs.Arcs, "arc") + " and " + Count(summary.Arcs.Circles, "circle") + " drawn; " +
            std::to_string(summary.Arcs.LeftOut) + " left out";
  if (options.Filters.Any()) line += "; " + Count(summary.Filtered, "airspace") + " left out by filters";
  if (options.SkipBad) line += "; " + Count(summary.Broken, "airspace") + " left out as broken";
  return line;
}

void ShutDown() {
  InputStream.reset();
  OutputStream->Close();
  OutputStream.reset();
  DecimalSeparator = SavedSeparator;
}
