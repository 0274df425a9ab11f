// TARNEL <input-file> <output-file>: converts OpenAir airspaces to ZRN markup.

#include <new>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "driver/Driver.h"
#include "driver/ErrorReport.h"
#include "platform/Process.h"

int main(int argc, char** argv) {
  const std::string invokedAs = argc > 0 ? argv[0] : "TARNEL";
  GuardStandardStreams();
  IgnoreWriteSignals();
  try {
    const std::vector<std::string> arguments = CommandLineArguments(argc, argv);
    std::vector<const char*> pointers;
    pointers.reserve(arguments.size());
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    StartUp(static_cast<int>(pointers.size()), pointers.data());
    Convert();
    ShutDown();
  } catch (const Exception& error) {
    AbandonOutput();
    ShowErrorReport(error, invokedAs,
                    ConversionOptions.Options ? FailureInWords(error, ConversionOptions.SkipBad) : std::string());
  } catch (const std::bad_alloc&) {
    AbandonOutput();
    ShowErrorReport(EOutOfMemory("Out of memory"), invokedAs);
  } catch (const std::exception& error) {
    AbandonOutput();
    ShowErrorReport(Exception("Exception", error.what()), invokedAs);
  }
  Halt(0);
}
