// The whole conversion in memory: plain, with arcs, and with the pilot's
// options. Only the parse failures of bad input may escape, each with an
// input line that exists as its place, and arcs add none; with --skip-bad
// none does; a failing parse writes nothing; the same input converts to the
// same bytes and fails on the same line every time, whatever its line ends
// are, and with a byte order mark in front; a warning names a line that
// exists. The check of a file never fails on its records, and names only
// lines that exist.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/Errors.h"
#include "driver/CheckRun.h"
#include "driver/Driver.h"
#include "io/Streams.h"

namespace {

struct TOutcome {
  bool Failed = false;
  std::uint32_t Place = 0;
  std::string Output;
  bool operator==(const TOutcome&) const = default;
};

// Lines as an editor counts them: CR LF, a lone CR or a lone LF ends one.
std::size_t PhysicalLines(const std::string& input) {
  std::size_t breaks = 0;
  for (std::size_t i = 0; i < input.size(); ++i)
    breaks += input[i] == '\r' || (input[i] == '\n' && (i == 0 || input[i - 1] != '\r'));
  return breaks + 1;
}

// Plain, with arcs (at 6 digits), or with the pilot's options (limits, a
// floor filter, --skip-bad, at 11 digits).
enum class TMode { Plain, Arcs, Pilot };

TOutcome ConvertText(const std::string& input, std::size_t bufferSize, TMode mode = TMode::Plain) {
  TMemoryStream in(input, bufferSize);
  TMemoryStream out("", bufferSize);
  TOutcome outcome;
  const auto warn = [&input](const TFinding& finding) {
    if (finding.Line < 1 || finding.Line > PhysicalLines(input)) std::abort();
  };
  try {
    TConversionOptions options;
    options.Arcs = mode == TMode::Arcs;
    options.Digits = mode == TMode::Plain ? 2 : mode == TMode::Arcs ? 6 : 11;
    options.Limits = options.SkipBad = mode == TMode::Pilot;
    options.Options = mode != TMode::Plain;
    if (mode == TMode::Pilot) options.Filters.MaxFloor = ReadMaxFloor("FL100");
    ConvertAirspaces(in, out, options, warn);
  } catch (const Exception& error) {
    const std::string& name = error.ClassName();
    if (name != "EConvertError" && name != "EStringListError" && name != "EOverflow") std::abort();
    outcome.Failed = true;
    outcome.Place = error.Place();
  }
  out.Flush();
  outcome.Output = out.Data();
  if (outcome.Failed && !outcome.Output.empty()) std::abort();  // a failing parse wrote something
  if (outcome.Failed && (outcome.Place < 1 || outcome.Place > PhysicalLines(input))) std::abort();
  return outcome;
}

void Check(const std::string& input) {
  TMemoryStream in(input, 3);
  const std::size_t lines = PhysicalLines(input);
  try {
    CheckAirspaces(in, {}, [lines](const TFinding& finding) {
      if (finding.Line < 1 || finding.Line > lines) std::abort();
    });
  } catch (const Exception&) {
    std::abort();
  }
}

// The same lines with every CR LF as a lone CR, and every lone LF as a CR.
std::string WithCrLineEnds(const std::string& input) {
  std::string result;
  for (std::size_t i = 0; i < input.size(); ++i) {
    if (input[i] == '\n' && i > 0 && input[i - 1] == '\r') continue;
    result += input[i] == '\n' ? '\r' : input[i];
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // Buffers of the input's size (its bytes end exactly where the buffer
  // does), of one byte, and of a size between that cuts it unevenly; the
  // slack of a buffer and of each line is off-limits in this build.
  const TOutcome first = ConvertText(input, std::max<std::size_t>(size, 1));
  if (ConvertText(input, 1) != first) std::abort();
  if (ConvertText(input, size / 2 + 1) != first) std::abort();
  if (ConvertText(WithCrLineEnds(input), 7) != first) std::abort();
  if (input.rfind("\xEF\xBB\xBF", 0) != 0 && ConvertText("\xEF\xBB\xBF" + input, 5) != first) std::abort();
  // With arcs: the same failures, on the same line, whatever the buffers.
  const TOutcome arcs = ConvertText(input, std::max<std::size_t>(size, 1), TMode::Arcs);
  if (arcs.Failed != first.Failed || arcs.Place != first.Place) std::abort();
  if (ConvertText(input, 3, TMode::Arcs) != arcs) std::abort();
  // With --skip-bad no record ends the run, and the buffers change nothing.
  const TOutcome pilot = ConvertText(input, std::max<std::size_t>(size, 1), TMode::Pilot);
  if (pilot.Failed || ConvertText(input, 2, TMode::Pilot) != pilot) std::abort();
  Check(input);
  return 0;
}
