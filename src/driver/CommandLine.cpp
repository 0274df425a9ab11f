// Reading the command line: options anywhere before "--", values after "="
// or in the next argument, file names in order.
#include "driver/CommandLine.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "keep/Filters.h"
#include "numtext/FixedDigits.h"
#include "numtext/NumText.h"
#include "platform/Process.h"

namespace {

// N for --decimals: one or two decimal digits ("06" is 6), from 2 to 11.
std::optional<int> ReadDecimals(std::string_view text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < MinPointDigits || value > MaxPointDigits) return std::nullopt;
  return value;
}

// METRES for --arc-tolerance: digits with at most one point between them,
// within the bounds; no sign, exponent or words.
std::optional<double> ReadTolerance(std::string_view text) {
  const std::size_t point = text.find('.');
  const auto digits = [](std::string_view part) {
    return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!digits(text.substr(0, point)) || (point != std::string_view::npos && !digits(text.substr(point + 1))))
    return std::nullopt;
  const double value = TextToNumber(text);
  if (!(value >= MinArcTolerance && value <= MaxArcTolerance)) return std::nullopt;
  return value;
}

// An option that takes a value: its name, and what reads the value into
// the command line, false where the value cannot be used.
struct TValueOption {
  std::string_view Name;
  bool (*Take)(std::string_view value, TCommandLine& line);
};
// Adds the list's names to the set.
bool AddClasses(std::string_view value, TClassSet& names) {
  const std::optional<TClassSet> list = ReadClassList(value);
  if (list) names.insert(list->begin(), list->end());
  return list.has_value();
}

// A file name or URL, taken as it is: any but an empty one.
bool TakeText(std::string_view value, std::string& text) {
  text = value;
  return !value.empty();
}

constexpr std::array<TValueOption, 12> ValueOptions = {{
    {"--decimals",
     [](std::string_view value, TCommandLine& line) {
       const std::optional<int> decimals = ReadDecimals(value);
       if (decimals) line.Options.Digits = *decimals;
       return decimals.has_value();
     }},
    {"--max-floor",
     [](std::string_view value, TCommandLine& line) {
       std::optional<TVerticalLimit> limit = ReadMaxFloor(value);
       if (!limit) return false;
       line.Options.Filters.MaxFloor = std::move(limit);
       return true;
     }},
    {"--classes",
     [](std::string_view value, TCommandLine& line) {
       auto& classes = line.Options.Filters.Classes;
       if (!classes) classes.emplace();
       return AddClasses(value, *classes);
     }},
    {"--exclude-classes", [](std::string_view value,
                             TCommandLine& line) { return AddClasses(value, line.Options.Filters.ExcludedClasses); }},
    {"--types",
     [](std::string_view value, TCommandLine& line) {
       auto& types = line.Options.Filters.Types;
       if (!types) types.emplace();
       return AddClasses(value, *types);
     }},
    {"--exclude-types",
     [](std::string_view value, TCommandLine& line) { return AddClasses(value, line.Options.Filters.ExcludedTypes); }},
    {"--keep-types",
     [](std::string_view value, TCommandLine& line) { return AddClasses(value, line.Options.Filters.KeptTypes); }},
    {"--arc-tolerance",
     [](std::string_view value, TCommandLine& line) {
       const std::optional<double> tolerance = ReadTolerance(value);
       if (tolerance) line.Options.ArcTolerance = *tolerance;
       return tolerance.has_value();
     }},
    {"--geojson", [](std::string_view value, TCommandLine& line) { return TakeText(value, line.Options.GeoJson); }},
    {"--preview", [](std::string_view value, TCommandLine& line) { return TakeText(value, line.Options.Preview); }},
    {"--tiles", [](std::string_view value, TCommandLine& line) { return TakeText(value, line.Options.Tiles); }},
    {"--encoding",
     [](std::string_view value, TCommandLine& line) {
       line.Options.Encoding = EncodingNamed(value);
       return line.Options.Encoding.has_value();
     }},
}};

// An option without a value: its name and the setting it makes.
struct TFlagOption {
  std::string_view Name;
  bool TConversionOptions::*Flag;
};
constexpr std::array<TFlagOption, 4> FlagOptions = {{
    {"--arcs", &TConversionOptions::Arcs},
    {"--limits", &TConversionOptions::Limits},
    {"--skip-bad", &TConversionOptions::SkipBad},
    {"--pins", &TConversionOptions::Pins},
}};

bool SetFlag(std::string_view argument, TConversionOptions& options) {
  for (const TFlagOption& option : FlagOptions)
    if (argument == option.Name) return options.*option.Flag = true;
  return false;
}

const TValueOption* FindValueOption(std::string_view name) {
  for (const TValueOption& option : ValueOptions)
    if (option.Name == name) return &option;
  return nullptr;
}

void NoteValueError(TCommandLine& line, std::string message) {
  if (line.ValueError.empty()) line.ValueError = std::move(message);
}

void NoteUnknown(TCommandLine& line, std::string_view option) {
  if (line.UnknownOption.empty()) line.UnknownOption = option;
}

}  // namespace

TCommandLine ReadCommandLine(int argc, const char* const* argv) {
  TCommandLine line;
  // "-h" alone is --help; with other arguments it stays a file name.
  if (argc == 2 && std::string_view(argv[1]) == "-h") {
    line.Help = true;
    return line;
  }
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (options && argument == "/?" && SlashQuestionIsHelp()) {
      line.Help = true;
      continue;
    }
    if (!options || argument.substr(0, 2) != "--") {
      // A third name that looks like an option is a mistyped one, not a
      // name ignored.
      if (options && line.Files.size() >= 2 && argument.substr(0, 1) == "-") NoteUnknown(line, argument);
      line.Files.emplace_back(argument);
      continue;
    }
    const std::size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    if (argument == "--") {
      options = false;
    } else if (argument == "--help") {
      line.Help = true;
    } else if (argument == "--version") {
      line.Version = true;
    } else if (argument == "--check") {
      line.Check = true;
      line.Options.Options = true;
    } else if (const TValueOption* option = FindValueOption(name)) {
      std::string_view value;
      if (equals != std::string_view::npos) {
        value = argument.substr(equals + 1);
      } else if (i + 1 < argc) {
        value = argv[++i];  // whatever it is: an argument taken as a value is no option
      } else {
        NoteValueError(line, "Missing value for " + std::string(name));
        continue;
      }
      if (!option->Take(value, line))
        NoteValueError(line, "Invalid value for " + std::string(name) + ": " + std::string(value));
      line.Options.Options = true;
    } else if (SetFlag(argument, line.Options)) {
      line.Options.Options = true;
    } else {
      NoteUnknown(line, argument);
    }
  }
  return line;
}
