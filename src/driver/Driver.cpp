// The driver's steps: the banner and argument checks, the two files, the
// conversion, the closing of the output.
#include "driver/Driver.h"

#include "base/Errors.h"
#include "model/AirspaceList.h"
#include "numtext/NumText.h"
#include "openair/BlockParser.h"
#include "openair/Recognise.h"
#include "zrn/AirspaceWriter.h"
#include "platform/Console.h"
#include "platform/Files.h"
#include "platform/Process.h"

std::string InputFileName;
std::string OutputFileName;
std::unique_ptr<TFileStream> InputStream;
std::unique_ptr<TFileStream> OutputStream;
char SavedSeparator = '.';

namespace {

[[noreturn]] void ArgumentsMissing() {
  ConsoleWriteLine("Error: Arguments missing...");
  ConsoleWriteLine("Usage: TARNEL <input-file[.oa]> <output-file[.zrn]>");
  ConsoleWriteLine("");
  Halt(1);
}

[[noreturn]] void InputMissing() {
  ConsoleWriteLine("Error: The specified input file doesn't exist...");
  Halt(1);
}

// An existing OpenAir file named as the output, as when the two arguments
// are swapped, is kept: to replace it on purpose, delete it first.
void RefuseOpenAirOutput(TFileStream& output) {
  if (output.IsRegularFile() && HoldsOpenAirAirspaces(output.ReadStart(RecognisedBytes)))
    throw EFCreateError("Cannot create file \"" + ExpandFileName(output.FileName()) +
                        "\". It holds OpenAir airspaces and is not replaced");
}

}  // namespace

void StartUp(int argc, const char* const* argv) {
  SavedSeparator = DecimalSeparator;
  DecimalSeparator = '.';
  for (const char* line : BannerLines) ConsoleWriteLine(line);
  if (argc < 3) ArgumentsMissing();
  InputFileName = argv[1];
  OutputFileName = argv[2];
  if (!FileExists(InputFileName)) InputMissing();
  RefuseOutputThatIsTheInput(InputFileName, OutputFileName);
  InputStream = std::make_unique<TFileStream>(InputFileName, TFileStream::TMode::OpenRead);
  OutputStream = std::make_unique<TFileStream>(OutputFileName, TFileStream::TMode::Create);
  RefuseOutputThatIsTheInput(*InputStream, *OutputStream);
  RefuseOpenAirOutput(*OutputStream);
  OutputStream->Empty();
}

void Convert() { ConvertAirspaces(*InputStream, *OutputStream); }

// Nothing is written before the whole input has been parsed, so a failing
// parse leaves the output empty.
void ConvertAirspaces(TStream& input, TStream& output) {
  const TAirspaceList airspaces = ParseAirspaces(input);
  for (const TAirspaceView& airspace : airspaces) WriteAirspace(airspace, output);
}

void ShutDown() {
  InputStream.reset();
  OutputStream->Close();
  OutputStream.reset();
  DecimalSeparator = SavedSeparator;
}
