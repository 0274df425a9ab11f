// The check of a file: each finding of the drawn borders and airspaces at
// its line, its absence just inside its boundary, and the real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "driver/CheckRun.h"
#include "driver/Findings.h"
#include "io/Streams.h"

namespace {

struct TChecked {
  std::vector<std::string> Findings;
  TCheckSummary Summary;
};

TChecked Check(const std::string& input, const TFilters& filters = {}) {
  TChecked checked;
  TMemoryStream in(input);
  checked.Summary = CheckAirspaces(
      in, filters, [&](const TFinding& finding) { checked.Findings.push_back(CheckText(finding, "f")); });
  return checked;
}

// An airspace of a DB from 50.1 N 10 E clockwise to `end`, with a DP
// `before` it and one after it in the west.
std::string ArcAirspace(const std::string& before, const std::string& end) {
  return "AC R\nAN Arc\n" + before + "V X=50 N 10 E\nDB 50.1 N 10 E, " + end + "\nDP 50 N 9.8 E\n";
}

}  // namespace

TEST(CheckTest, FindingsOfAirspacesAndBorders) {
  const std::string fourPoints = "DP 50 N 10 E\nDP 50 N 11 E\nDP 49 N 11 E\n";
  const struct {
    std::string Input;
    std::vector<std::string> Findings;
  } cases[] = {
      // A DB's ends 1.9 % and 2.1 % apart; an arc end 0.9 m, 100 m and 201 m
      // from the point before it, and one on it.
      {ArcAirspace("", "49.9019 N 10 E"), {}},
      {ArcAirspace("", "49.9021 N 10 E"),
       {"f:4: warning: the DB's ends lie 6.01 NM and 5.88 NM from its centre, more than 2 % apart"}},
      {ArcAirspace("DP 50.1000081 N 10 E\n", "49.9 N 10 E"), {}},
      {ArcAirspace("DP 50.1009 N 10 E\n", "49.9 N 10 E"),
       {"f:5: warning: the arc's first point lies 100.1 m from the border point beside it (a zigzag)"}},
      {ArcAirspace("DP 50.10181 N 10 E\n", "49.9 N 10 E"), {}},
      {ArcAirspace("DP 50.1 N 10 E\n", "49.9 N 10 E"), {}},
      // One arc starting 100 m from where the one before ends: one zigzag.
      {"AC R\nAN Two\nV X=50 N 10 E\nDB 50.1 N 10 E, 49.9 N 10 E\nDB 49.9009 N 10 E, 50.1 N 10 E\n",
       {"f:4: warning: the arc's last point lies 100.1 m from the border point beside it (a zigzag)"}},
      // A bow tie; a border that turns back, its tip on an earlier edge.
      {"AC R\nAN Tie\nDP 50 N 10 E\nDP 51 N 11 E\nDP 50 N 11 E\nDP 51 N 10 E\n",
       {"f:6: warning: the border crosses itself: this edge meets the edge of line 4"}},
      {"AC R\nAN Back\nDP 50 N 10 E\nDP 50 N 11 E\nDP 50 N 10.5 E\nDP 49 N 10.5 E\n",
       {"f:4: warning: the border turns back on itself here (a spike)",
        "f:6: warning: the border crosses itself: this edge meets the edge of line 4"}},
      // An S for an N: the tip of a spike too.
      {"AC R\nAN Slip\n" + fourPoints + "DP 49.5 S 10 E\n",
       {"f:6: warning: the border turns back on itself here (a spike)",
        "f:6: warning: latitude S where every other point is N: N meant?"}},
      {"AC R\nAN East\n" + fourPoints + "DP 49.5 N 0.5 W\n", {}},  // within 1 degree of 0
      // Limits and parts.
      {"AC R\nAN Upside\nAL 3000 FT\nAH 2000 FT\n" + fourPoints,
       {"f:3: warning: floor 3000FT at or above the ceiling 2000FT of line 4"}},
      {"AC R\nAN Whole\nAL GND\nAH UNL\n" + fourPoints, {}},
      {"AC R\nAN Apart\nAL FL100\nAH 5000 FT AGL\n" + fourPoints, {}},
      {"AC R\n" + fourPoints, {"f:1: warning: airspace without a name (no AN)"}},
      {"AC R\nAN Tabs\nDP 48\t75\t00 N 010\t00\t00 E\n" + fourPoints,
       {"f:3: warning: minutes of 60 or more: 75"}},  // tabs part the numbers as blanks do
      {"AC R\nAN Colours\nSP 0,1,2,3\nSB 255,0,0\n", {"f:1: warning: airspace without a border"}},
      {"AC R\nAN Known\nAI 1\nAX 7000\naa x\n" + fourPoints, {}},  // later records, read and ignored
      // Five numbers that fail: five errors, and nothing left of the border.
      {"AC R\nAN Bad\nDP 1:0:5-5 N 2 E\nDP 1.2.3 N 2 E\nDP 50::00 N 2 E\nAT 1-2 N 2 E\nDP 3 N 4-4 E\n",
       {"f:1: warning: airspace without a border", "f:3: error: '5-5' is not a number",
        "f:4: error: '1.2.3' is not a number", "f:5: error: '' is not a number", "f:6: error: '1-2' is not a number",
        "f:7: error: '4-4' is not a number"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Check(c.Input).Findings, c.Findings) << c.Input;
}

// The filters hide the warnings of the airspaces they leave out, never an
// error; a class named that no airspace has is told; the extent is of every point.
TEST(CheckTest, FiltersAndTheFile) {
  TFilters filters;
  filters.Classes = TClassSet{"R", "XYZ"};
  const TChecked checked = Check(
      "AC Q\nAN Hidden\nDP 1 N 2 E\nZZ 1\n\nAC R\nAN Told\nDP 3 N 4 E\nDP 3 N 5 E\nDP 2 N 4.5 E\nzz 2\n\n"
      "AC Q\nAN Error\nDP 1-1 N 2 W\nDP 5 S 6 W\n",
      filters);
  EXPECT_EQ(checked.Findings, (std::vector<std::string>{
                                  "f:4: warning: \"ZZ\" is no OpenAir record, ignored (2 records)",
                                  "f:15: error: '1-1' is not a number",
                                  "f: warning: no airspace of class \"XYZ\" (--classes)",
                              }));
  EXPECT_EQ(CountsLine(checked.Summary), "1 error, 2 warnings");
  EXPECT_EQ(ExtentLine(checked.Summary.Extent), "extent 5.00 S to 3.00 N, 6.00 W to 5.00 E");
  EXPECT_EQ(ExtentLine(Check("AC R\n").Summary.Extent), "no points");
}

// The real files' findings, by kind, as they were looked at by eye, and
// some of them in full.
TEST(CheckTest, RealFiles) {
  namespace fs = std::filesystem;
  const fs::path testData = fs::path(TARNEL_SOURCE_DIR) / "../shared/testdata";
  if (!fs::exists(testData)) GTEST_SKIP() << "no real test data beside the project (" << testData << ")";
  const struct {
    const char* File;
    std::map<std::string, int> Kinds;
    std::vector<std::string> Some;
  } files[] = {
      {"australia-daa.txt",
       {{"cannot be read as a limit", 148}, {"DB's ends lie", 6}, {"crosses itself", 4}},
       {"f:8321: warning: the DB's ends lie 7.08 NM and 14.99 NM from its centre, more than 2 % apart",
        "f:4565: warning: \"NOTAM\" cannot be read as a limit"}},
      {"france-2011-04.txt",
       {{"crosses itself", 16},  // arcs drawn within 10 m show three more retraced corners
        {"spike", 9},
        {"DB's ends lie", 7},
        {"seconds of 60", 7},
        {"zigzag", 4},
        {"at or above the ceiling", 1}},
       {"f:1455: warning: the arc's last point lies 92.7 m from the border point beside it (a zigzag)",
        "f:9554: warning: floor FL195 at or above the ceiling 1700FT of line 9553",
        "f:15976: warning: the border turns back on itself here (a spike)"}},
      {"france-2026-04.txt", {{"spike", 10}, {"crosses itself", 7}, {"zigzag", 8}, {"DB's ends lie", 4}}, {}},
  };
  for (const auto& file : files) {
    std::ifstream in(testData / file.File, std::ios::binary);
    const TChecked checked = Check({std::istreambuf_iterator<char>(in), {}});
    std::map<std::string, int> kinds;
    for (const std::string& finding : checked.Findings)
      for (const auto& [kind, count] : file.Kinds)
        if (finding.find(kind) != std::string::npos) ++kinds[kind];
    EXPECT_EQ(kinds, file.Kinds) << file.File;
    EXPECT_EQ(checked.Summary.Errors, 0u) << file.File;
    EXPECT_EQ(checked.Summary.Warnings, checked.Findings.size()) << file.File;
    for (const std::string& finding : file.Some)
      EXPECT_NE(std::find(checked.Findings.begin(), checked.Findings.end(), finding), checked.Findings.end())
          << finding;
  }
}
