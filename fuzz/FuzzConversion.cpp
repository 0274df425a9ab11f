// The whole conversion in memory. Only the parse failures of bad input may
// escape; a failing parse writes nothing; the same input converts to the same
// bytes every time, and whatever its line ends are.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Errors.h"
#include "driver/Driver.h"
#include "platform/Streams.h"

namespace {

struct TOutcome {
  bool Failed = false;
  std::string Output;
};

TOutcome ConvertText(const std::string& input, std::size_t bufferSize) {
  TMemoryStream in(input, bufferSize);
  TMemoryStream out("", bufferSize);
  TOutcome outcome;
  try {
    ConvertAirspaces(in, out);
  } catch (const EConvertError&) {
    outcome.Failed = true;
  } catch (const EStringListError&) {
    outcome.Failed = true;
  } catch (const EOverflow&) {
    outcome.Failed = true;
  }
  out.Flush();
  outcome.Output = out.Data();
  if (outcome.Failed && !outcome.Output.empty()) std::abort();  // a failing parse wrote something
  return outcome;
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
  const TOutcome first = ConvertText(input, TStream::DefaultBufferSize);
  const TOutcome again = ConvertText(input, 3);
  if (first.Failed != again.Failed || first.Output != again.Output) std::abort();
  const TOutcome crOnly = ConvertText(WithCrLineEnds(input), 7);
  if (first.Failed != crOnly.Failed || first.Output != crOnly.Output) std::abort();
  return 0;
}
