// Reading the command line: options anywhere before "--", file names in order.
#include "driver/CommandLine.h"

TCommandLine ReadCommandLine(int argc, const char* const* argv) {
  TCommandLine line;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!options || argument.substr(0, 2) != "--") {
      line.Files.emplace_back(argument);
    } else if (argument == "--") {
      options = false;
    } else if (argument == "--arcs") {
      line.Arcs = true;
    } else if (argument == "--help") {
      line.Help = true;
    } else if (argument == "--version") {
      line.Version = true;
    } else if (line.UnknownOption.empty()) {
      line.UnknownOption = argument;
    }
  }
  return line;
}
