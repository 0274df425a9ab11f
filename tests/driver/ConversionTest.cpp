// Whole conversions through the process: golden outputs, failures that leave
// the output empty, and the real published file in every line-end style.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "ProcessRunner.h"

namespace fs = std::filesystem;

namespace {

struct TConversion {
  TRunResult Run;
  std::string Output;
};

TConversion ConvertText(const TScratchDir& dir, const std::string& input) {
  WriteFile(dir / "in.oa", input);
  TConversion result{RunTarnel({"in.oa", "out.zrn"}, dir.Path()), ""};
  result.Output = ReadFile(dir / "out.zrn");
  return result;
}

std::string Opening(const std::string& cls, const std::string& name,
                    const std::string& pin = "0.00000000000 0.00000000000") {
  return "  <airspace class=\"" + cls + "\" name=\"" + name + "\" pin=\"" + pin + "\">\r\n";
}
const std::string Closing = "  </airspace>\r\n";
const std::string Border1 = "    <border>\r\n      <point lat=\"1.00\" lon=\"2.00\"/>\r\n    </border>\r\n";

struct TGoldenCase {
  const char* Title;
  std::string Input;
  std::string Output;
};

TEST(ConversionTest, GoldenOutputs) {
  const TGoldenCase cases[] = {
      {"road of one airspace", "AC R\r\nAN Test Area\r\nDP 50:30:00 N 014:20:00 E\r\n\r\n",
       Opening("R", "TEST AREA") + "    <border>\r\n      <point lat=\"50.50\" lon=\"14.33\"/>\r\n    </border>\r\n" +
           Closing},
      {"two points", "AC R\r\nAN Test Area\r\nDP 50:30:00 N 014:20:00 E\r\nDP 50:31:00 N 014:21:30 E\r\n",
       Opening("R", "TEST AREA") +
           "    <border>\r\n      <point lat=\"50.50\" lon=\"14.33\"/>\r\n"
           "      <point lat=\"50.52\" lon=\"14.36\"/>\r\n    </border>\r\n" +
           Closing},
      {"comments only", "* one\r\n\r\n   * two\r\n", ""},
      {"empty input", "", ""},
      {"second AC starts an airspace", "AC R\r\nAN A\r\nAC Q\r\nAN B\r\n",
       Opening("R", "A") + Closing + Opening("Q", "B") + Closing},
      {"byte order mark and trailing comments",
       "\xEF\xBB\xBF"
       "AC R\nAN X * N\nDP 1:0:0 N 2:0:0 E *S W\n",
       Opening("R", "X ") + "    <border>\r\n      <point lat=\"1.00\" lon=\"2.00\"/>\r\n    </border>\r\n" + Closing},
      {"trailing blank lines", "AC R\r\n\r\n\r\nAC Q\r\n\r\n\r\n\r\n",
       Opening("R", "") + Closing + Opening("Q", "") + Closing},
      {"lower-case records", "ac r\r\nan prague ctr\r\n", Opening("R", "PRAGUE CTR") + Closing},
      {"double blank in name", "AN Test  Area\r\n", Opening("", "TEST AREA") + Closing},
      {"AC with a trailing blank", "AC \r\nAN X\r\n", Opening("", "X") + Closing},
      {"@EOF line then more", "AC R\r\n\r\n@EOF\r\n\r\nAC Q\r\nAT 50:30:15 N 014:20:30 E\r\n",
       Opening("R", "") + Closing + Opening("Q", "", "50.50416666667 14.34166666667") + Closing},
      // An airspace starts at AC; blank lines inside it are nothing.
      {"blank lines inside an airspace",
       "AC C\r\n\r\nAN Lille\r\n\r\nV X=1:0:0 N 2:0:0 E\r\n\r\nDP 1:0:0 N 2:0:0 E\r\n\r\nAN ctr\r\n\r\nAC D\r\n",
       Opening("C", "LILLE CTR") + Border1 + Closing + Opening("D", "") + Closing},
      {"a block's records before its AC start the new airspace",
       "AC A\r\nAN First\r\nAT 5:0:0 S 6:0:0 W\r\n\r\nAN X\r\nAY P\r\nAT 1:0:0 N 2:0:0 E\r\nDP 1:0:0 N 2:0:0 E\r\nAC "
       "UNC\r\n",
       Opening("A", "FIRST", "-5.00000000000 -6.00000000000") + Closing +
           Opening("P", "X", "1.00000000000 2.00000000000") + Border1 + Closing},
      {"a first block without AC, continued", "DP 1:0:0 N 2:0:0 E\r\n\r\nAN  \r\n",
       Opening("", "") + Border1 + Closing},
      // AY gives the class where AC says UNC, the last AY with a value.
      {"AY where AC says UNC", "AC unc\r\nAY R\r\nAY\r\n\r\nAC C\r\nAY Q\r\n\r\nAY TMZ\r\nAC uNc\r\n",
       Opening("R", "") + Closing + Opening("C", "") + Closing + Opening("TMZ", "") + Closing},
      {"order kept", "AC A\r\n\r\nAC B\r\n\r\nAC C\r\n",
       Opening("A", "") + Closing + Opening("B", "") + Closing + Opening("C", "") + Closing},
      {"short forms", "AC R\nDP 45:30.5 N 006:15.25 W\nDP 50.5 S 14.25 E\n",
       Opening("R", "") +
           "    <border>\r\n      <point lat=\"45.51\" lon=\"-6.25\"/>\r\n"
           "      <point lat=\"-50.50\" lon=\"14.25\"/>\r\n    </border>\r\n" +
           Closing},
  };
  for (const TGoldenCase& c : cases) {
    TScratchDir dir;
    const TConversion conversion = ConvertText(dir, c.Input);
    EXPECT_EQ(conversion.Run.ExitCode, 0) << c.Title << conversion.Run.Stderr;
    EXPECT_EQ(conversion.Run.Stdout, Banner) << c.Title;
    EXPECT_EQ(conversion.Output, c.Output) << c.Title;
  }
}

TEST(ConversionTest, ParseFailuresLeaveTheOutputEmpty) {
  const struct {
    std::string Input, ClassName, Message;
  } cases[] = {
      {"AC R\r\nDP 50:30:00 N 014:20:00 E\r\n\r\nAC Q\r\nDP 50:3x0:00 N\r\nDP 50::00 N\r\n", "EConvertError",
       "'' is not a valid floating point value."},
      {"AC R\r\n\r\nAC\r\n", "EStringListError", "List index out of bounds (1)."},
  };
  for (const auto& c : cases) {
    TScratchDir dir;
    WriteFile(dir / "out.zrn", "old content");
    const TConversion conversion = ConvertText(dir, c.Input);
    EXPECT_EQ(conversion.Run.ExitCode, 1);
    EXPECT_EQ(conversion.Run.Stdout, Banner);
    EXPECT_NE(conversion.Run.Stderr.find("Exception " + c.ClassName + " in module TARNEL at "), std::string::npos);
    EXPECT_NE(conversion.Run.Stderr.find("\r\n" + c.Message + "\r\n\r\n"), std::string::npos) << conversion.Run.Stderr;
    EXPECT_EQ(conversion.Output, "");
  }
}

// A run given options puts a failure at a line in words after the report;
// --skip-bad that leaves every airspace out is no conversion.
TEST(ConversionTest, FailuresInWordsInRunsWithOptions) {
  const std::string skipBad = "--skip-bad leaves that airspace out and converts the rest.\r\n";
  const struct {
    std::vector<std::string> Args;
    std::string Input;
    std::string After;  // the report, or the standard output
  } cases[] = {
      {{"--arcs", "in.oa", "out.zrn"}, "AC R\r\n\r\nAC\r\n", "Line 3: AC has no value.\r\n" + skipBad},
      {{"--limits", "in.oa", "out.zrn"}, "AC R\r\nDP 1-2 N 3 E\r\n", "Line 2: '1-2' is not a number.\r\n" + skipBad},
      {{"in.oa", "out.zrn"}, "AC R\r\nDP 1-2 N 3 E\r\n", ""},
      {{"--skip-bad", "in.oa", "out.zrn"},
       "AC\r\nAN x\r\n\r\nAC R\r\nDP 1-2 N 3 E\r\n",
       "Error: Every airspace of the input was left out as broken (2): the output is left empty...\r\n"},
  };
  for (const auto& c : cases) {
    TScratchDir dir;
    WriteFile(dir / "in.oa", c.Input);
    WriteFile(dir / "out.zrn", "old content");
    const TRunResult run = RunTarnel(c.Args, dir.Path());
    EXPECT_EQ(run.ExitCode, 1);
    if (c.Args[0] == "--skip-bad") {
      EXPECT_EQ(run.Stdout, Banner + c.After);
    } else {
      EXPECT_TRUE(run.Stderr.ends_with(".\r\n\r\n" + c.After)) << run.Stderr;
    }
    EXPECT_EQ(ReadFile(dir / "out.zrn"), "");
  }
}

// With --arcs too: no summary of an output that was not written.
TEST(ConversionTest, FullOutputDeviceIsAWriteError) {
  TScratchDir dir;
  WriteFile(dir / "in.oa", "AC R\r\n");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"in.oa", "/dev/full"}, std::vector<std::string>{"--arcs", "in.oa", "/dev/full"}}) {
    const TRunResult run = RunTarnel(args, dir.Path());
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Stdout, Banner);
    EXPECT_NE(run.Stderr.find("Exception EWriteError in module TARNEL at "), std::string::npos);
    EXPECT_NE(run.Stderr.find("\r\nCannot write file \"/dev/full\". No space left on device.\r\n\r\n"),
              std::string::npos)
        << run.Stderr;
  }
}

// Whatever ends a run once the output was created and emptied leaves it
// empty, with a message: a write that fails at a limit of the file size, an
// allocation that fails while arcs are drawn (an airspace before it already
// written), an interrupt while the input is read.
TEST(ConversionTest, FailuresAfterTheOutputExistsLeaveItEmpty) {
  TScratchDir dir;
  std::string many, circles = "AC R\nAN first\nDP 1 N 2 E\n\nAC Q\nV X=50:00:00 N 010:00:00 E\n";
  for (int i = 0; i < 3000; ++i) many += "AC R\nAN area " + std::to_string(i) + "\nDP 1 N 2 E\nDP 1 N 3 E\n\n";
  for (int i = 0; i < 100000; ++i) circles += "DC 1\n";
  WriteFile(dir / "many.oa", many);
  WriteFile(dir / "circles.oa", circles);
  const fs::path output = dir / "out.zrn";
  const auto run = [&](const std::vector<std::string>& args, const TRunLimits& limits) {
    WriteFile(output, "old content");
    return RunTarnelLimited(args, dir.Path(), limits);
  };
  const TRunResult tooLarge = run({"many.oa", "out.zrn"}, {{{RLIMIT_FSIZE, 100000}}, {}});
  EXPECT_EQ(tooLarge.ExitCode, 1);
  EXPECT_NE(tooLarge.Stderr.find("\r\nCannot write file \"" + output.string() + "\". File too large.\r\n"),
            std::string::npos)
      << tooLarge.Stderr;
  EXPECT_EQ(fs::file_size(output), 0u);
  if (TARNEL_SANITIZED) {
    std::cout << "no limit of the address space under the sanitizers, which reserve terabytes\n";
  } else {
    const TRunResult noMemory = run({"--arcs", "circles.oa", "out.zrn"}, {{{RLIMIT_AS, rlim_t{60} << 20}}, {}});
    EXPECT_EQ(noMemory.ExitCode, 1);
    EXPECT_NE(noMemory.Stderr.find("Exception EOutOfMemory in module TARNEL at 00000000.\r\nOut of memory.\r\n"),
              std::string::npos)
        << noMemory.Stderr;
    EXPECT_EQ(fs::file_size(output), 0u);
  }
  // The run reads what the test writes into a FIFO: once a write larger than
  // the pipe holds has gone through, the run is reading, and blocks there.
  const fs::path fifo = dir / "in.fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto interrupt = [&](pid_t child) {
    const int fd = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const std::string comments(256 * 1024, '\n');
    EXPECT_EQ(::write(fd, comments.data(), comments.size()), static_cast<ssize_t>(comments.size()));
    ::kill(child, SIGINT);
    ::close(fd);
  };
  const TRunResult interrupted = run({"in.fifo", "out.zrn"}, {{}, interrupt});
  EXPECT_EQ(interrupted.Signal, SIGINT);
  EXPECT_EQ(interrupted.Stdout, Banner);
  EXPECT_EQ(interrupted.Stderr, "Interrupted: \"" + output.string() + "\" is left empty.\r\n");
  EXPECT_EQ(fs::file_size(output), 0u);
}

// With --skip-bad, each airspace holding a record that fails is left out
// with a warning naming the record, and the rest is converted.
TEST(ConversionTest, SkipBadLeavesOutBrokenAirspacesOnly) {
  TScratchDir dir;
  WriteFile(dir / "in.oa",
            "AC R\r\nAN First\r\nDP 1:0:0 N 2:0:0 E\r\n\r\n"
            "AC Q\r\nAN Bad point\r\nDP 1:0:5-5 N 2:0:0 E\r\nDP 1.2.3 N\r\n\r\n"
            "AN Continued\r\n\r\n"  // a block without AC: the same broken airspace
            "AC\r\nAN No class\r\n\r\n"
            "AC D\r\nAN Last\r\nDP 3:0:0 N 4:0:0 E\r\n");
  const TRunResult run = RunTarnel({"--skip-bad", "in.oa", "out.zrn"}, dir.Path());
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Stdout, Banner + "2 airspaces, 2 points; 2 airspaces left out as broken; 5 warnings\r\n");
  EXPECT_EQ(run.Stderr,
            "Warning: line 1: airspace with 1 border point, fewer than 3\r\n"
            "Warning: line 7: '5-5' is not a number, airspace left out: DP 1:0:5-5 N 2:0:0 E\r\n"
            "Warning: line 8: '1.2.3' is not a number, airspace left out: DP 1.2.3 N\r\n"
            "Warning: line 12: AC has no value, airspace left out: AC\r\n"
            "Warning: line 15: airspace with 1 border point, fewer than 3\r\n");
  const std::string output = ReadFile(dir / "out.zrn");
  EXPECT_NE(output.find("name=\"FIRST\""), std::string::npos);
  EXPECT_NE(output.find("name=\"LAST\""), std::string::npos);
  EXPECT_EQ(output.find("BAD"), std::string::npos);
  EXPECT_EQ(output.find("NO CLASS"), std::string::npos);
  // Without it, the first of them ends the run, as ever.
  EXPECT_EQ(RunTarnel({"in.oa", "out.zrn"}, dir.Path()).ExitCode, 1);
}

// --- the real published file ---

const fs::path TestData = fs::path(TARNEL_SOURCE_DIR) / "../shared/testdata";
const fs::path FranceFile = TestData / "france-2011-04.txt";

std::string WithLineEnds(std::string text, const std::string& lineEnd) {
  std::string result;
  result.reserve(text.size() * 2);
  for (const char c : text) c == '\n' ? result += lineEnd : result += c;
  return result;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

class RealFileTest : public testing::Test {
protected:
  void SetUp() override {
    if (!fs::exists(TestData)) GTEST_SKIP() << "no real test data beside the project (" << TestData << ")";
  }
};

TEST_F(RealFileTest, FranceConvertsWholeInEveryLineEndStyle) {
  const std::string original = ReadFile(FranceFile);
  TScratchDir dir;
  const TRunResult run = RunTarnel({FranceFile.string(), (dir / "lf.zrn").string()}, dir.Path());
  ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
  EXPECT_EQ(run.Stdout, Banner);
  const std::string output = ReadFile(dir / "lf.zrn");
  EXPECT_EQ(Count(output, "  <airspace "), 1212u);
  EXPECT_EQ(Count(output, "      <point "), 11032u);
  EXPECT_EQ(Count(output, "\r\n"), Count(output, "\n"));

  for (const char* lineEnd : {"\r\n", "\r"}) {
    TScratchDir other;
    const TConversion conversion = ConvertText(other, WithLineEnds(original, lineEnd));
    ASSERT_EQ(conversion.Run.ExitCode, 0);
    EXPECT_TRUE(conversion.Output == output) << "line ends " << (lineEnd[1] ? "CR LF" : "CR");
  }
}

// Published files that separate airspaces by comment lines and write
// comments after their records, converted as their authors meant.
TEST_F(RealFileTest, EachAirspaceKeepsItsOwnClassNameAndHemisphere) {
  const struct {
    const char* File;
    std::size_t Airspaces, Points;
    const char* Wrong;  // a text no point of the file may have
    std::string Expected;
  } cases[] = {
      {"australia-daa.txt", 662, 3807, "<point lat=\"0",
       Opening("A", "ADELAIDE") + "    <border>\r\n"
                                  "      <point lat=\"-35.50\" lon=\"136.82\"/>\r\n"
                                  "      <point lat=\"-35.26\" lon=\"137.58\"/>\r\n"},
      {"france-2026-04.txt", 1611, 32884, "<point lat=\"-", ""},
      {"france-2011-04.txt", 1212, 11032, "<point lat=\"-", ""},
  };
  for (const auto& c : cases) {
    TScratchDir dir;
    const TRunResult run = RunTarnel({(TestData / c.File).string(), "out.zrn"}, dir.Path());
    ASSERT_EQ(run.ExitCode, 0) << c.File << run.Stderr;
    const std::string output = ReadFile(dir / "out.zrn");
    EXPECT_EQ(Count(output, "  <airspace "), c.Airspaces) << c.File;
    EXPECT_EQ(Count(output, "      <point "), c.Points) << c.File;
    EXPECT_EQ(Count(output, "class=\"\""), 0u) << c.File;
    EXPECT_EQ(Count(output, "name=\"\""), 0u) << c.File;
    EXPECT_EQ(Count(output, c.Wrong), 0u) << c.File;
    EXPECT_EQ(output.substr(0, c.Expected.size()), c.Expected) << c.File;
  }
}

// Values worked out by hand from the file's records.
TEST_F(RealFileTest, FranceAirspacesCheckedByHand) {
  TScratchDir dir;
  ASSERT_EQ(RunTarnel({FranceFile.string(), "out.zrn"}, dir.Path()).ExitCode, 0);
  const std::string output = ReadFile(dir / "out.zrn");
  // CTR Agen: DP 44:16:44 N 000:28:29 E is 44.2789, 0.4747; DP 44:02:56 N 000:39:07 E is 44.0489, 0.6519.
  const std::string agen = Opening("CTR", "CTR AGEN 121.3") +
                           "    <border>\r\n"
                           "      <point lat=\"44.28\" lon=\"0.47\"/>\r\n"
                           "      <point lat=\"44.23\" lon=\"0.76\"/>\r\n"
                           "      <point lat=\"44.05\" lon=\"0.65\"/>\r\n"
                           "      <point lat=\"44.09\" lon=\"0.52\"/>\r\n"
                           "      <point lat=\"44.14\" lon=\"0.41\"/>\r\n"
                           "      <point lat=\"44.28\" lon=\"0.47\"/>\r\n"
                           "    </border>\r\n" +
                           Closing;
  EXPECT_EQ(output.substr(0, agen.size()), agen);
  // CTR Angers lies west of Greenwich: DP 47:39:32 N 000:33:41 W is 47.6589, -0.5614.
  EXPECT_NE(output.find(Opening("CTR", "CTR ANGERS 124.700") + "    <border>\r\n"
                                                               "      <point lat=\"47.66\" lon=\"-0.56\"/>\r\n"),
            std::string::npos);
  // Names keep their bytes above 127; only a to z are upper-cased.
  EXPECT_NE(output.find("name=\"CTR ANGOUL\xc3\xa8ME 123.15\""), std::string::npos);
  EXPECT_NE(output.find("name=\"VOL LIBRE C\xc3\xb4TE-ROUGE"), std::string::npos);
}

// One real airspace with arcs: CTR BERGERAC of the French file, two DB arcs
// around one centre between four DP points, converted with --arcs, and with
// --decimals=6 too. The expected points were checked by eye on
// examples/arcs/arcs.svg: each arc bulges out from its chord, ends on the DP
// points, and the point that repeats the arc's end is written once. At six
// digits the DP points are their D:M:S values (44:55:18 is 44.9216666...),
// and every point is its two-digit text within half a hundredth.
TEST_F(RealFileTest, AnAirspaceWithArcsConvertsAsDrawn) {
  std::istringstream file(ReadFile(TestData / "france-2026-04.txt"));
  std::string block, line;
  bool found = false;
  while (!found && std::getline(file, line)) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) {
      block.clear();
      continue;
    }
    block += line + "\n";
    found = line == "AN CTR BERGERAC";
  }
  while (found && std::getline(file, line) && line.find_first_not_of(" \t\r") != std::string::npos)
    block += line + "\n";
  ASSERT_TRUE(found);
  const std::string points =
      "44.92 0.39,44.91 0.67,44.90 0.68,44.89 0.69,44.88 0.69,44.87 0.70,44.85 0.70,44.84 0.71,44.83 0.71,"
      "44.82 0.71,44.81 0.71,44.80 0.70,44.79 0.70,44.77 0.69,44.76 0.69,44.75 0.68,44.74 0.67,44.74 0.66,"
      "44.73 0.65,44.74 0.37,44.75 0.36,44.76 0.36,44.77 0.35,44.78 0.34,44.79 0.34,44.80 0.34,44.81 0.33,"
      "44.82 0.33,44.83 0.33,44.85 0.34,44.86 0.34,44.87 0.34,44.88 0.35,44.89 0.35,44.90 0.36,44.91 0.37,"
      "44.91 0.38,44.92 0.39";
  const std::string sixDigits =
      "44.921667 0.392222,44.906667 0.668056,44.897214 0.677558,44.887209 0.685863,44.876727 0.692909,"
      "44.865849 0.698642,44.854656 0.703019,44.843234 0.706008,44.831671 0.707587,44.820053 0.707744,"
      "44.808470 0.706480,44.797009 0.703804,44.785757 0.699738,44.774799 0.694313,44.764219 0.687571,"
      "44.754097 0.679565,44.744509 0.670354,44.735528 0.660010,44.727222 0.648611,44.741944 0.373333,"
      "44.750853 0.364295,44.760260 0.356313,44.770103 0.349444,44.780315 0.343734,44.790827 0.339221,"
      "44.801567 0.335938,44.812462 0.333907,44.823440 0.333143,44.834424 0.333651,44.845341 0.335429,"
      "44.856116 0.338464,44.866677 0.342738,44.876951 0.348222,44.886868 0.354878,44.896361 0.362663,"
      "44.905366 0.371523,44.913820 0.381398,44.921667 0.392222";
  const auto numbers = [](const std::string& list) {
    std::vector<std::string> result;
    std::istringstream pairs(list);
    for (std::string pair; std::getline(pairs, pair, ',');) {
      result.push_back(pair.substr(0, pair.find(' ')));
      result.push_back(pair.substr(pair.find(' ') + 1));
    }
    return result;
  };
  const std::vector<std::string> two = numbers(points), six = numbers(sixDigits);
  ASSERT_EQ(two.size(), six.size());
  for (std::size_t i = 0; i < two.size(); ++i) EXPECT_LE(std::fabs(std::stod(two[i]) - std::stod(six[i])), 0.005) << i;
  TScratchDir dir;
  WriteFile(dir / "in.oa", block);
  for (const auto& [decimals, expectedNumbers] : {std::pair{"2", two}, std::pair{"6", six}}) {
    // In 5-degree steps, as before the bound on chords.
    const TRunResult run =
        RunTarnel({"--arcs", "--arc-tolerance=1000", "--decimals", decimals, "in.oa", "out.zrn"}, dir.Path());
    ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
    EXPECT_EQ(run.Stdout, Banner + "1 airspace, 38 points; 2 arcs and 0 circles drawn; 0 left out\r\n");
    std::string expected =
        "  <airspace class=\"D\" name=\"CTR BERGERAC\" pin=\"0.00000000000 0.00000000000\">\r\n"
        "    <border>\r\n";
    for (std::size_t i = 0; i < expectedNumbers.size(); i += 2)
      expected += "      <point lat=\"" + expectedNumbers[i] + "\" lon=\"" + expectedNumbers[i + 1] + "\"/>\r\n";
    EXPECT_EQ(ReadFile(dir / "out.zrn"), expected + "    </border>\r\n  </airspace>\r\n") << decimals;
  }
}

// Names with their limits, as a pilot reads them on the map: GND, flight
// levels, feet above the ground, metres, and a limit as its file writes it.
TEST_F(RealFileTest, LimitsInTheNames) {
  TScratchDir dir;
  const TRunResult run = RunTarnel({"--limits", (TestData / "france-2026-04.txt").string(), "out.zrn"}, dir.Path());
  ASSERT_EQ(run.ExitCode, 0) << run.Stderr;
  const std::string output = ReadFile(dir / "out.zrn");
  for (const char* name :
       {"name=\"CTR BERGERAC GND-2000FT\"", "name=\"TMA NICE 6 FL55-FL115\"",
        "name=\"TMA SAINT-YAN 1.1 ROANNE (MO-FR) 2000FT AGL-5000FT\"", "name=\"LF-D227C HOUDAN NORD GND-500FT AGL\"",
        "name=\"CTR CALVI GND-2000FT AGL\"", "name=\"VV MONTDIDIER 2500FT-FL45\""})
    EXPECT_NE(output.find(name), std::string::npos) << name;
}

}  // namespace
