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
bool DrawArcs = false;

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

[[noreturn]] void UnknownOption(const std::string& option) {
  ConsoleWriteLine("Error: Unknown option " + option);
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

}  // namespace

void StartUp(int argc, const char* const* argv) {
  SavedSeparator = DecimalSeparator;
  DecimalSeparator = '.';
  for (const char* line : BannerLines) ConsoleWriteLine(line);
  const TCommandLine commandLine = ReadCommandLine(argc, argv);
  if (commandLine.Help) ShowHelp();
  if (commandLine.Version) Halt(0);  // the banner carries the version
  if (!commandLine.UnknownOption.empty()) UnknownOption(commandLine.UnknownOption);
  if (commandLine.Files.size() < 2) ArgumentsMissing();
  InputFileName = commandLine.Files[0];
  OutputFileName = commandLine.Files[1];
  DrawArcs = commandLine.Arcs;
  if (!FileExists(InputFileName)) InputMissing();
  RefuseOutputThatIsTheInput(InputFileName, OutputFileName);
  InputStream = std::make_unique<TFileStream>(InputFileName, TFileStream::TMode::OpenRead);
  OutputStream = std::make_unique<TFileStream>(OutputFileName, TFileStream::TMode::Create);
  RefuseOutputThatIsTheInput(*InputStream, *OutputStream);
  RefuseOpenAirOutput(*OutputStream);
  OutputStream->Truncate();
}

void Convert() {
  if (!DrawArcs) return ConvertAirspaces(*InputStream, *OutputStream);
  const TArcSummary summary = ConvertAirspacesWithArcs(
      *InputStream, *OutputStream, [](std::uint64_t line, const std::string& reason, std::string_view record) {
        ConsoleWriteError("Warning: line " + std::to_string(line) + ": " + reason +
                          ", left out: " + std::string(record) + "\r\n");
      });
  OutputStream->Close();  // the summary tells of a complete output only
  ConsoleWriteLine(std::to_string(summary.Airspaces) + " airspaces, " + std::to_string(summary.Points) + " points; " +
                   std::to_string(summary.Arcs.Arcs) + " arcs and " + std::to_string(summary.Arcs.Circles) +
                   " circles drawn; " + std::to_string(summary.Arcs.LeftOut) + " left out");
}

// Nothing is written before the whole input has been parsed, so a failing
// parse leaves the output empty.
void ConvertAirspaces(TStream& input, TStream& output) {
  const TAirspaceList airspaces = ParseAirspaces(input);
  for (const TAirspaceView& airspace : airspaces) WriteAirspace(airspace, output);
}

// The borders' arcs are drawn one airspace at a time, as it is written.
TArcSummary ConvertAirspacesWithArcs(TStream& input, TStream& output, const TArcWarning& warn) {
  TArcSummary summary;
  const TAirspaceList airspaces = ParseAirspacesWithArcs(input, warn, summary.Arcs);
  std::vector<TGeographicPoint> drawn;
  for (const TAirspaceView& airspace : airspaces) {
    std::span<const TGeographicPoint> border = airspace.Border.Points;
    if (!airspace.Border.Arcs.empty()) {
      drawn.clear();
      DrawBorder(airspace.Border, drawn);
      border = drawn;
    }
    summary.Points += WriteAirspace(airspace, border, output, TRepeats::Dropped);
  }
  summary.Airspaces = airspaces.size();
  return summary;
}

void ShutDown() {
  InputStream.reset();
  OutputStream->Close();
  OutputStream.reset();
  DecimalSeparator = SavedSeparator;
}
