// The driver's steps: the banner and argument checks, the two files, the
// conversion, the closing of the output.
#include "driver/Driver.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/Errors.h"
#include "base/Text.h"
#include "check/AirspaceChecks.h"
#include "driver/CheckRun.h"
#include "driver/CommandLine.h"
#include "driver/Findings.h"
#include "driver/MapOutputs.h"
#include "geodesy/Draw.h"
#include "keep/Filters.h"
#include "model/AirspaceList.h"
#include "numtext/NumText.h"
#include "openair/AirspaceReader.h"
#include "openair/FileKind.h"
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

// --skip-bad left out every airspace: an empty output is no conversion.
[[noreturn]] void NothingLeft(std::size_t broken) {
  AbandonOutput();
  ConsoleWriteLine("Error: Every airspace of the input was left out as broken (" + std::to_string(broken) +
                   "): the output is left empty...");
  Halt(1);
}

[[noreturn]] void InputMissing() {
  ConsoleWriteLine("Error: The specified input file doesn't exist...");
  Halt(1);
}

// An existing OpenAir file named as the output, as when the two arguments
// are swapped, is kept: to replace it on purpose, delete it first. Saved as
// UTF-16 it is OpenAir all the same. Most files tell within their first
// bytes; only those are read further.
bool HoldsOpenAir(TFileStream& output) {
  // What the first `limit` bytes tell; all there is to tell where `last`.
  const auto tells = [&](std::size_t limit, bool last) -> std::optional<bool> {
    const std::string start = output.ReadStart(limit);
    const TFileKind kind = KindOfStart(start);
    if (kind == TFileKind::Gzip || kind == TFileKind::Zip || kind == TFileKind::Binary) return false;
    return StartsAsOpenAir(NarrowedText(start, kind), last || start.size() < limit);
  };
  if (const std::optional<bool> told = tells(OpenAirFirstLook, false)) return *told;
  return *tells(OpenAirCheckBytes, true);
}

// Whether the output's name leads to an OpenAir file, looked at without
// opening it for writing.
bool OutputHoldsOpenAir() {
  if (!IsRegularFileName(OutputFileName)) return false;
  try {
    TFileStream output(OutputFileName, TFileStream::TMode::OpenRead);
    return HoldsOpenAir(output);
  } catch (const Exception&) {
    return false;  // then the output's own checks tell
  }
}

// What a file that is not OpenAir is, where its kind says more.
std::string_view KindInWords(TFileKind kind) {
  switch (kind) {
    case TFileKind::Utf16LE:
    case TFileKind::Utf16BE: return "It is UTF-16 text: save it as ANSI or UTF-8.";
    case TFileKind::Gzip: return "It is a gzip file: unpack it first.";
    case TFileKind::Zip: return "It is a zip file: unpack it first.";
    case TFileKind::Text:
    case TFileKind::Binary: return {};
  }
  return {};
}

[[noreturn]] void InputNotOpenAir(TFileKind kind) {
  if (OutputHoldsOpenAir()) {
    ConsoleWriteLine("Error: The input file is not an OpenAir file, but the output file is: are the two swapped?...");
  } else {
    ConsoleWriteLine("Error: The input file is not an OpenAir file...");
    if (const std::string_view words = KindInWords(kind); !words.empty()) ConsoleWriteLine(words);
  }
  Halt(1);
}

// An input that is not OpenAir is refused before the output is created: a
// file of another kind by its first bytes, a text where no line within the
// first MiB is a record. One of nothing but blank lines and comments
// converts, to an empty output. Only a regular file can be looked at ahead of
// its reading; another (a FIFO, a device) is read as it comes.
void RefuseInputThatIsNotOpenAir(TFileStream& input) {
  if (!input.IsRegularFile()) return;
  const std::string start = input.ReadStart(FileKindBytes);
  const TFileKind kind = KindOfStart(start);
  if (kind != TFileKind::Text) InputNotOpenAir(kind);
  std::optional<TInputStart> holds = InputStartIs(start, start.size() < FileKindBytes);
  if (!holds) holds = InputStartIs(input.ReadStart(OpenAirCheckBytes), true);
  if (*holds == TInputStart::OtherText) InputNotOpenAir(kind);
}

void RefuseOpenAirOutput(TFileStream& output) {
  if (output.IsRegularFile() && HoldsOpenAir(output))
    throw EFCreateError("Cannot create file \"" + ExpandFileName(output.FileName()) +
                        "\". It holds OpenAir airspaces and is not replaced");
}

[[noreturn]] void CheckTakesOneFile() {
  ConsoleWriteLine("Error: --check takes one file");
  ConsoleWriteLine(CheckUsage);
  ConsoleWriteLine("");
  Halt(1);
}

// --check: the findings on the standard output, then their counts and the
// extent of the file's points; exit code 1 where an error was found.
[[noreturn]] void CheckInput(const TCommandLine& commandLine) {
  if (commandLine.Files.size() != 1) CheckTakesOneFile();
  InputFileName = commandLine.Files[0];
  ConversionOptions = commandLine.Options;
  if (!FileExists(InputFileName)) InputMissing();
  InputStream = std::make_unique<TFileStream>(InputFileName, TFileStream::TMode::OpenRead);
  RefuseInputThatIsNotOpenAir(*InputStream);
  const auto tell = [](const TFinding& finding) { ConsoleWriteLine(CheckText(finding, InputFileName)); };
  const TCheckSummary summary = CheckAirspaces(*InputStream, ConversionOptions.Filters, tell);
  ConsoleWriteLine(CountsLine(summary));
  ConsoleWriteLine(ExtentLine(summary.Extent));
  InputStream.reset();
  Halt(summary.Errors > 0 ? 1 : 0);
}

}  // namespace

void StartUp(int argc, const char* const* argv) {
  SavedSeparator = DecimalSeparator;
  DecimalSeparator = '.';
  const TCommandLine commandLine = ReadCommandLine(argc, argv);
  if (commandLine.Files.size() >= 2) KeepMessagesOutOf(commandLine.Files[1]);  // before any message
  for (const char* line : BannerLines) ConsoleWriteLine(line);
  if (commandLine.Help) ShowHelp();
  if (commandLine.Version) Halt(0);  // the banner carries the version
  if (!commandLine.UnknownOption.empty()) OptionError("Unknown option " + commandLine.UnknownOption);
  if (!commandLine.ValueError.empty()) OptionError(commandLine.ValueError);
  if (commandLine.Check) CheckInput(commandLine);
  if (commandLine.Files.size() < 2) ArgumentsMissing();
  InputFileName = commandLine.Files[0];
  OutputFileName = commandLine.Files[1];
  ConversionOptions = commandLine.Options;
  if (!FileExists(InputFileName)) InputMissing();
  RefuseOutputThatIsTheInput(InputFileName, OutputFileName);
  InputStream = std::make_unique<TFileStream>(InputFileName, TFileStream::TMode::OpenRead);
  RefuseInputThatIsNotOpenAir(*InputStream);
  OutputStream = std::make_unique<TFileStream>(OutputFileName, TFileStream::TMode::Create);
  RefuseOutputThatIsTheInput(*InputStream, *OutputStream);
  RefuseOpenAirOutput(*OutputStream);
  OutputStream->Truncate();
}

namespace {

// The GeoJSON file and the page, each created as the ZRN output is, after
// it; emptied again, as it is, after a failure.
class TMapFiles {
public:
  TMapFiles() {
    GeoJson = Create(ConversionOptions.GeoJson);
    Preview = Create(ConversionOptions.Preview);
  }
  TMapStreams Streams() const { return {GeoJson.get(), Preview.get(), Title, ConversionOptions.Tiles}; }
  void Close() {
    for (TFileStream* stream : {GeoJson.get(), Preview.get()})
      if (stream != nullptr) stream->Close();
  }
  void Abandon() {
    for (TFileStream* stream : {GeoJson.get(), Preview.get()})
      if (stream != nullptr) stream->Abandon();
  }

private:
  std::unique_ptr<TFileStream> Create(const std::string& name) const {
    if (name.empty()) return nullptr;
    RefuseOutputThatIsTheInput(InputFileName, name);
    auto stream = std::make_unique<TFileStream>(name, TFileStream::TMode::Create);
    RefuseOutputThatIsTheInput(*InputStream, *stream);
    for (const TFileStream* other : {OutputStream.get(), GeoJson.get()})
      if (other != nullptr && stream->SameFile(*other))
        throw EFCreateError("Cannot create file \"" + ExpandFileName(name) + "\". It is another output of this run");
    RefuseOpenAirOutput(*stream);
    stream->Truncate();
    return stream;
  }

  std::unique_ptr<TFileStream> GeoJson;
  std::unique_ptr<TFileStream> Preview;
  std::string Title = InputFileName.substr(InputFileName.find_last_of("/\\") + 1);  // the page's: no folders
};

}  // namespace

void Convert() {
  const auto warn = [](const TFinding& finding) { ConsoleWriteError(WarningText(finding) + "\r\n"); };
  TMapFiles maps;
  TSummary summary;
  try {
    summary = ConvertAirspaces(*InputStream, *OutputStream, ConversionOptions, warn, maps.Streams());
    if (summary.Read.Broken > 0 && summary.Airspaces == 0 && summary.Filtered == 0) {
      maps.Abandon();
      NothingLeft(summary.Read.Broken);
    }
    maps.Close();
  } catch (...) {
    maps.Abandon();
    throw;
  }
  const std::string line = SummaryLine(summary, ConversionOptions);
  if (line.empty()) return;
  OutputStream->Close();  // the summary tells of a complete output only
  ConsoleWriteLine(line);
}

namespace {

// The read stage: every airspace the filters keep, the findings gathered.
TAirspaceList ReadAndKeep(TAirspaceReader& reader, const TFilters& filters, TFindings& findings,
                          std::size_t& filtered) {
  TAirspaceList airspaces;
  for (;;) {
    TAirspaceDraft* airspace = nullptr;
    try {
      airspace = reader.Next();
    } catch (...) {
      reader.TakeFindings(findings.List());  // those of the records before the failure
      throw;
    }
    if (airspace == nullptr) break;
    reader.TakeFindings(findings.List());
    const bool leftOut = filters.Any() && LeftOut(airspace->Airspace, filters);
    findings.Airspace(airspace->Airspace, leftOut, filters);
    if (leftOut) {
      ++filtered;
    } else {
      airspaces.Add(*airspace);
    }
  }
  reader.TakeFindings(findings.List());
  return airspaces;
}

// The draw and write stages. With --arcs, an airspace of fewer than 3
// points is told, and --skip-bad leaves it out.
void DrawAndWrite(const TAirspaceList& airspaces, TStream& output, const TConversionOptions& options,
                  TFindings& findings, TSummary& summary, std::optional<TMapOutputs>& maps) {
  const TWriteFormat format{options.Digits, options.Arcs ? TRepeats::Dropped : TRepeats::Kept, options.Limits};
  TDrawer drawer({.ArcTolerance = options.ArcTolerance, .Pins = options.Pins});
  TFewPoints few(options.Arcs);
  for (const TAirspace& airspace : airspaces) {
    const TDrawnAirspace drawn = drawer.Draw(airspace);
    if (options.Options) {
      if (std::optional<TFinding> finding = few.Note(airspace, drawn.Border().size())) {
        const bool leaveOut = options.Arcs && options.SkipBad;
        if (leaveOut) {
          finding->LeftOut = TFinding::TLeftOut::Airspace;
          finding->Record = "AC " + std::string(airspace.AirspaceClass);
        }
        findings.Add(*std::move(finding));
        if (leaveOut) {
          ++summary.Read.Broken;
          continue;
        }
      }
    }
    summary.Points += WriteAirspace(drawn, output, format);
    if (maps) maps->Add(drawn);
    ++summary.Airspaces;
    for (const TArc& arc : airspace.Arcs())
      ++(std::holds_alternative<TCircle>(arc.Shape) ? summary.Circles : summary.Arcs);
  }
  if (std::optional<TFinding> finding = few.Finish()) findings.Add(*std::move(finding));
}

}  // namespace

// Nothing is written before the whole input has been read, so a failing
// read leaves the output empty. The findings are told once all is written,
// or before a failure's report.
TSummary ConvertAirspaces(TStream& input, TStream& output, const TConversionOptions& options,
                          const std::function<void(const TFinding&)>& warn, const TMapStreams& mapStreams) {
  TSummary summary;
  TFindings findings;
  const auto tell = [&](const std::vector<TFinding>& told) {
    for (const TFinding& finding : told) {
      ++summary.Warnings;
      if (warn) warn(finding);
    }
  };
  std::vector<TFinding> told;
  try {
    TAirspaceReader reader(input, {.Arcs = options.Arcs,
                                   .Limits = options.Limits || options.Filters.NeedLimits() || mapStreams.Any(),
                                   .SkipBad = options.SkipBad,
                                   .Findings = options.Options});
    const TAirspaceList airspaces = ReadAndKeep(reader, options.Filters, findings, summary.Filtered);
    summary.Read = reader.Report();
    std::optional<TMapOutputs> maps;
    if (mapStreams.Any())
      maps.emplace(mapStreams,
                   TFeatureFormat{options.Digits, options.Arcs, options.Encoding.value_or(GuessedEncoding(airspaces))});
    DrawAndWrite(airspaces, output, options, findings, summary, maps);
    findings.ClassesNotFound(options.Filters);
    told = findings.InLineOrder();
    if (maps) maps->Finish(told);
  } catch (...) {
    // The findings of the records before the failure come first.
    tell(told.empty() ? findings.InLineOrder() : told);
    throw;
  }
  tell(told);
  return summary;
}

std::string SummaryLine(const TSummary& summary, const TConversionOptions& options) {
  if (!options.Arcs && !options.Filters.Any() && !options.SkipBad) return {};
  std::string line = Counted(summary.Airspaces, "airspace") + ", " + Counted(summary.Points, "point");
  if (options.Arcs)
    line += "; " + Counted(summary.Arcs, "arc") + " and " + Counted(summary.Circles, "circle") + " drawn; " +
            std::to_string(summary.Read.LeftOut) + " left out";
  if (options.Filters.Any()) line += "; " + Counted(summary.Filtered, "airspace") + " left out by filters";
  if (options.SkipBad) line += "; " + Counted(summary.Read.Broken, "airspace") + " left out as broken";
  if (summary.Warnings > 0) line += "; " + Counted(summary.Warnings, "warning");
  return line;
}

void ShutDown() {
  InputStream.reset();
  OutputStream->Close();
  OutputStream.reset();
  DecimalSeparator = SavedSeparator;
}

void AbandonOutput() {
  if (OutputStream) OutputStream->Abandon();
}
