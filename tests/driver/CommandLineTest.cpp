// The command line read in-process: options wherever they stand up to a
// first "--", values after "=" or in the next argument, file names in order,
// and the first unknown option or unusable value noted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/CommandLine.h"
#include "platform/Process.h"

namespace {

// What was read, in a few words: only what differs from no option at all.
std::string Described(const TCommandLine& line) {
  std::string text;
  const auto word = [&](const std::string& w) { text += (text.empty() ? "" : " ") + w; };
  const auto list = [](const TClassSet& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : ",") + name;
    return joined;
  };
  if (line.Help) word("help");
  if (line.Version) word("version");
  if (!line.UnknownOption.empty()) word("unknown[" + line.UnknownOption + "]");
  if (!line.ValueError.empty()) word("error[" + line.ValueError + "]");
  const TConversionOptions& options = line.Options;
  if (options.Arcs) word("arcs");
  if (options.Digits != 2) word("digits=" + std::to_string(options.Digits));
  if (options.Limits) word("limits");
  if (options.Filters.MaxFloor) word("max-floor=" + options.Filters.MaxFloor->Text);
  if (options.Filters.Classes) word("classes=" + list(*options.Filters.Classes));
  if (!options.Filters.ExcludedClasses.empty()) word("exclude=" + list(options.Filters.ExcludedClasses));
  if (options.Filters.Types) word("types=" + list(*options.Filters.Types));
  if (!options.Filters.ExcludedTypes.empty()) word("exclude-types=" + list(options.Filters.ExcludedTypes));
  if (!options.Filters.KeptTypes.empty()) word("keep-types=" + list(options.Filters.KeptTypes));
  if (options.SkipBad) word("skip-bad");
  for (const std::string& file : line.Files) word("<" + file + ">");
  return text;
}

TEST(CommandLineTest, OptionsValuesAndFiles) {
  const struct {
    std::vector<const char*> Args;
    std::string Read;
  } cases[] = {
      {{"in", "out"}, "<in> <out>"},
      {{"--arcs", "in", "out"}, "arcs <in> <out>"},
      {{"in", "--arcs", "out"}, "arcs <in> <out>"},
      {{"in", "out", "--arcs"}, "arcs <in> <out>"},
      {{"in", "out", "third", "--arcs"}, "arcs <in> <out> <third>"},
      {{"--", "--arcs", "out"}, "<--arcs> <out>"},
      {{"--arcs", "--", "in", "out", "--"}, "arcs <in> <out> <-->"},
      {{"-", "-h"}, "<-> <-h>"},
      {{"-h"}, "help"},                                                      // alone, as people ask for help
      {{"/?", "out"}, SlashQuestionIsHelp() ? "help <out>" : "</?> <out>"},  // a file name but on Windows
      {{"in", "out", "-arcs"}, "unknown[-arcs] <in> <out> <-arcs>"},
      {{"--", "in", "out", "-arcs"}, "<in> <out> <-arcs>"},
      {{"--help", "--bad", "--version"}, "help version unknown[--bad]"},
      {{"--arcs=yes"}, "unknown[--arcs=yes]"},
      {{"--xyz", "--abc"}, "unknown[--xyz]"},
      // values: after "=" or the next argument, whatever it is; the last counts
      {{"--decimals=6"}, "digits=6"},
      {{"--decimals", "06", "in"}, "digits=6 <in>"},
      {{"--decimals=11", "--decimals", "3"}, "digits=3"},
      {{"--decimals", "--help"}, "error[Invalid value for --decimals: --help]"},
      {{"--decimals", "--"}, "error[Invalid value for --decimals: --]"},
      {{"in", "--decimals"}, "error[Missing value for --decimals] <in>"},
      {{"--decimals=x", "--decimals=6"}, "error[Invalid value for --decimals: x] digits=6"},
      {{"--decimals=1"}, "error[Invalid value for --decimals: 1]"},
      {{"--decimals=12"}, "error[Invalid value for --decimals: 12]"},
      {{"--decimals=+6"}, "error[Invalid value for --decimals: +6]"},
      {{"--decimals=006"}, "error[Invalid value for --decimals: 006]"},
      {{"--decimals="}, "error[Invalid value for --decimals: ]"},
      {{"--limits", "--skip-bad"}, "limits skip-bad"},
      {{"--max-floor", "fl100", "--max-floor=3000ft"}, "max-floor=3000FT"},
      {{"--max-floor=FL0"}, "error[Invalid value for --max-floor: FL0]"},
      {{"--max-floor=2000ft AGL"}, "error[Invalid value for --max-floor: 2000ft AGL]"},
      {{"--max-floor=UNL"}, "error[Invalid value for --max-floor: UNL]"},
      // lists: repeated options add up
      {{"--classes=q, r", "--classes", "P"}, "classes=P,Q,R"},
      {{"--exclude-classes", " ,R", "--exclude-classes=fir"}, "exclude=FIR,R"},
      {{"--classes", " , "}, "error[Invalid value for --classes:  , ] classes="},
      {{"--exclude-classes="}, "error[Invalid value for --exclude-classes: ]"},
      {{"--types=tmz", "--types", "rmz", "--exclude-types=CTA", "--keep-types=atz,tmz"},
       "types=RMZ,TMZ exclude-types=CTA keep-types=ATZ,TMZ"},
      {{"--keep-types=,"}, "error[Invalid value for --keep-types: ,]"},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv{"TARNEL"};
    argv.insert(argv.end(), c.Args.begin(), c.Args.end());
    EXPECT_EQ(Described(ReadCommandLine(static_cast<int>(argv.size()), argv.data())), c.Read) << c.Read;
  }
}

}  // namespace
