// The stages as the driver runs them, in-process: read, keep, draw and
// write wired with the options, the warnings before a failure, and
// airspaces made of several blocks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Errors.h"
#include "driver/Driver.h"
#include "io/Streams.h"

namespace {

struct TConversion {
  std::string Output;
  TSummary Summary;
  std::vector<std::string> Warnings;
};

TConversion Convert(const std::string& input, const TConversionOptions& options) {
  TConversion conversion;
  TMemoryStream in(input), out;
  conversion.Summary = ConvertAirspaces(
      in, out, options, [&](const TFinding& warning) { conversion.Warnings.push_back(WarningText(warning)); });
  out.Flush();
  conversion.Output = out.Data();
  return conversion;
}

// The names as written, one a line.
std::string Names(const std::string& output) {
  std::string names;
  for (std::size_t at = 0; (at = output.find(" name=\"", at)) != std::string::npos;) {
    at += 7;
    names += output.substr(at, output.find('"', at) - at) + "\n";
  }
  return names;
}

TConversionOptions WithArcs() {
  TConversionOptions options;
  options.Arcs = true;
  options.Digits = 6;
  return options;
}

// A blank line inside an airspace is nothing: its arcs stand where they
// would without it, one or two of them, after points of either block.
TEST(StagesTest, AnAirspaceOfSeveralBlocksIsDrawnAsOne) {
  const std::string centre = "V X=50:00:00 N 010:00:00 E\n";
  const std::string cases[] = {
      "AC R\n" + centre + "DP 50:10:00 N 010:00:00 E\n\nDP 50:00:00 N 010:20:00 E\nDC 1\n",
      "AC R\n" + centre +
          "DP 50:10:00 N 010:00:00 E\nDP 50:05:00 N 010:00:00 E\nDC 2\n\nDP 50:00:00 N 010:20:00 E\nDC 1\n",
      "AC R\n" + centre + "DC 3\n\nDP 50:00:00 N 010:20:00 E\nDA 2, 0, 90\n\nDP 49:00:00 N 010:20:00 E\n",
  };
  for (const std::string& blocks : cases) {
    std::string oneBlock = blocks;
    for (std::size_t at; (at = oneBlock.find("\n\n")) != std::string::npos;) oneBlock.erase(at, 1);
    const TConversion read = Convert(blocks, WithArcs());
    EXPECT_EQ(read.Output, Convert(oneBlock, WithArcs()).Output) << blocks;
    EXPECT_EQ(read.Summary.Airspaces, 1u) << blocks;
  }
}

// A limit read for one airspace is never another's, whatever blocks and
// details follow; --max-floor reads the floors without --limits.
TEST(StagesTest, LimitsBelongToTheirAirspace) {
  const std::string input =
      "AC R\nAN r\nAL FL150\nAH FL195\n\nAC Q\nAN q\n\nAC P\nAN p\nAY X\n\nAC D\nAN d\n\nAL 500ft\n\nAC C\nAN c\nAY "
      "Y\n";
  TConversionOptions limits;
  limits.Limits = true;
  EXPECT_EQ(Names(Convert(input, limits).Output), "R FL150-FL195\nQ\nP\nD 500FT-?\nC\n");
  TConversionOptions maxFloor;
  maxFloor.Filters.MaxFloor = ReadMaxFloor("FL100");
  const TConversion filtered = Convert(input, maxFloor);
  EXPECT_EQ(Names(filtered.Output), "Q\nP\nD\nC\n");
  EXPECT_EQ(filtered.Summary.Filtered, 1u);
  maxFloor.Filters.MaxFloor = ReadMaxFloor("400ft");
  EXPECT_EQ(Names(Convert(input, maxFloor).Output), "Q\nP\nC\n");
}

// The warnings of the records before a failure come before it, in record
// order; --skip-bad leaves the airspace out and goes on.
TEST(StagesTest, WarningsComeInRecordOrderBeforeAFailure) {
  // The failure on line 10 comes before its airspace is complete: the
  // findings of its records before it, unknown keywords too, are told first.
  const std::string input = "AC R\nDC 1\nAN r\n\nAC Q\nAN q\nV D=x\nZZ\nV Y\nDP 1:0:5-5 N 2 E\nAC\nDC 2\n";
  std::vector<std::string> warnings;
  TConversionOptions options = WithArcs();
  options.Options = true;
  TMemoryStream in(input), out;
  try {
    ConvertAirspaces(in, out, options, [&](const TFinding& warning) { warnings.push_back(WarningText(warning)); });
    ADD_FAILURE() << "the bad number was taken";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Place(), 10u);
  }
  const std::vector<std::string> expected = {
      "Warning: line 2: no centre (no V X= before it), left out: DC 1",
      "Warning: line 7: a direction that is neither + nor -, left out: V D=x",
      "Warning: line 8: \"ZZ\" is no OpenAir record, ignored",
      "Warning: line 9: V without =, ignored",
  };
  EXPECT_EQ(warnings, expected);
  options.SkipBad = true;
  const TConversion skipped = Convert(input, options);
  EXPECT_EQ(Names(skipped.Output), "");  // R has no border left with --arcs
  EXPECT_EQ(skipped.Summary.Read.Broken, 3u);
  ASSERT_EQ(skipped.Warnings.size(), 8u);
  EXPECT_EQ(skipped.Warnings[6], "Warning: line 11: AC has no value, airspace left out: AC");
}

// A centre that is not set, and one set in another airspace, are told; the
// arc is drawn around the centre in force.
TEST(StagesTest, CentresFromElsewhereAreTold) {
  const TConversion conversion = Convert(
      "AC R\nV X=45:00:00 N 006:00:00 E\nDC 1\n\nAC Q\nV X 46:00:00 N 006:00:00 E\nDC 1\n\nV X=46:00:00 N 006:00:00 "
      "E\nAC "
      "P\nDC 1\n",
      WithArcs());
  const std::vector<std::string> expected = {
      "Warning: line 6: V without =, ignored",
      "Warning: line 7: drawn around the centre set on line 2, in another airspace",
  };
  EXPECT_EQ(conversion.Warnings, expected);
  EXPECT_EQ(conversion.Summary.Read.LeftOut, 0u);
  EXPECT_EQ(conversion.Summary.Read.Circles, 3u);
}

}  // namespace

// The findings as read reach a run with options, in line order, never the
// bare run; the filters hide those of the airspaces they leave out; --arcs
// with --skip-bad leaves out a border of fewer than 3 points.
TEST(StagesTest, FindingsOfRunsWithOptions) {
  const std::string border = "DP 50 N 14 E\nDP 51 N 14 E\nDP 51 N 15 E\n";
  const std::string input = "AC R\nAN Typo\nDP 50:11:52 N 013:1O:37 E\n" + border + "ZZ x\n\nAC Q\nAN Left\n" +
                            "DP 50 N\n" + border + "\nAC D\nAN Circle\nV X=50 N 14 E\nDC 5\n\nAC D\nAN Colours\nSP 1\n";
  EXPECT_TRUE(Convert(input, {}).Warnings.empty());
  TConversionOptions options;
  options.Options = true;
  const TConversion plain = Convert(input, options);
  EXPECT_EQ(plain.Warnings, (std::vector<std::string>{
                                "Warning: line 3: the letter O is no part of a coordinate",
                                "Warning: line 7: \"ZZ\" is no OpenAir record, ignored",
                                "Warning: line 11: longitude missing",
                                "Warning: line 16: 1 airspace has arcs or circles, drawn only with --arcs",
                                "Warning: line 21: airspace without a border",
                            }));
  EXPECT_EQ(plain.Summary.Warnings, 5u);
  options.Filters.ExcludedClasses = {"Q"};
  options.Filters.Classes = TClassSet{"R", "Q", "E"};
  const TConversion filtered = Convert(input, options);
  EXPECT_EQ(filtered.Warnings, (std::vector<std::string>{
                                   "Warning: line 3: the letter O is no part of a coordinate",
                                   "Warning: line 7: \"ZZ\" is no OpenAir record, ignored",
                                   "Warning: no airspace of class \"E\" (--classes)",
                               }));
  TConversionOptions skipping = WithArcs();
  skipping.Options = skipping.SkipBad = true;
  const TConversion skipped = Convert(input, skipping);
  EXPECT_EQ(skipped.Warnings.back(), "Warning: line 21: airspace without a border, airspace left out: AC D");
  EXPECT_EQ(skipped.Summary.Airspaces, 3u);
  EXPECT_EQ(skipped.Summary.Read.Broken, 1u);
  // The summary counts what was written: the circle's airspace left out
  // takes its circle along.
  TConversionOptions leaving = WithArcs();
  leaving.Filters.ExcludedClasses = {"D"};
  EXPECT_EQ(SummaryLine(Convert(input, leaving).Summary, leaving),
            "2 airspaces, 8 points; 0 arcs and 0 circles drawn; 0 left out; 2 airspaces left out by filters");
}
