// The airspace reader: records into airspaces, blocks placed once read, the
// line of each record, and the arc records with their warnings.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "geodesy/Draw.h"
#include "io/Streams.h"
#include "model/AirspaceList.h"
#include "openair/AirspaceReader.h"
#include "openair/CoordinateText.h"
#include "openair/Tokens.h"
#include "zrn/AirspaceWriter.h"

namespace {

TAirspaceList Parse(const std::string& input, TReadOptions options = {}) {
  TMemoryStream stream(input);
  return ParseAirspaces(stream, options);
}

std::string ParseAndWrite(const std::string& input) {
  TMemoryStream out;
  TDrawer drawer;
  for (const TAirspace& airspace : Parse(input)) WriteAirspace(drawer.Draw(airspace), out);
  out.Flush();
  return out.Data();
}

TEST(ParseAirspacesTest, RecordsFillTheAirspaceOfTheirBlock) {
  const TAirspaceList list = Parse(
      "* header\r\n\r\nAC R\r\nAN Test  Area\r\nAL SFC\r\nAH 2000F\r\nV X=1:2:3 N 4:5:6 E\r\n"
      "AT 50:30:15 N 014:20:30 E\r\nDP 50:30:00 N 014:20:00 E\r\n* inside\r\nDP 51:30:00 N 000:07:30 W\r\n\r\n\r\n"
      "ac q\r\nan second\r\n");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].AirspaceClass, "R");
  EXPECT_EQ(list[0].Name, "Test Area");
  EXPECT_EQ(PinText(list[0].Pin), "50.50416666667 14.34166666667");
  ASSERT_EQ(list[0].Border.Points.size(), 2u);
  EXPECT_DOUBLE_EQ(list[0].Border.Points[1].Longitude, -0.125);
  EXPECT_EQ(list[1].AirspaceClass, "q");
  EXPECT_EQ(list[1].Name, "second");
}

std::string Repeated(const std::string& text, int count) {
  std::string result;
  for (int i = 0; i < count; ++i) result += text;
  return result;
}

TEST(ParseAirspacesTest, BlocksAndNames) {
  const struct {
    const char* Title;
    std::string Input;
    std::size_t Count;
    std::string FirstClass;
    std::string FirstName;
    std::size_t FirstPoints;
  } cases[] = {
      {"empty", "", 0, "", "", 0},
      {"comments and blanks", "* a\r\n\r\n  \r\n*b\r\n", 0, "", "", 0},
      {"second AC starts an airspace", "AC R\r\nAN A\r\nDP 1:0:0 N 2:0:0 E\r\nAC Q\r\nAN B\r\nDP 3:0:0 N 4:0:0 E\r\n",
       2, "R", "A", 1},
      {"airspaces between comment lines", "* 1\nAC R\nAN A\n* 2\nAC Q\nAN B\n* 3\nAC P\n", 3, "R", "A", 0},
      {"one AC after the name", "AN X\r\nAC R\r\nDP 1:0:0 N 2:0:0 E\r\n", 1, "R", "X", 1},
      {"trailing comments", "AC R *class\nAN A B ** name\nDP 1:0:0 N 2:0:0 E *S W:1\n", 1, "R", "A B ", 1},
      {"trailing blank lines", "AC R\r\n\r\nAC Q\r\n\r\n\r\n\r\n", 2, "R", "", 0},
      {"other record only", "V X=50:30:00 N 014:20:00 E\r\n", 1, "", "", 0},
      {"AC with a trailing blank", "AC \r\nAN X\r\n", 1, "", "X", 0},
      {"AN with a trailing blank", "AN X \r\nAN Y\r\n", 1, "", "X  Y", 0},
      {"AN without value", "AN\r\nAN Y\r\n", 1, "", "Y", 0},
      {"DP without value", "DP\r\n", 1, "", "", 1},
      {"a fraction at the line's end", "AC A\nDP 50.5", 1, "A", "", 1},
      {"@EOF is an ordinary record", "AC R\r\n@EOF\r\nAN X\r\n\r\nAC Q\r\n", 2, "R", "X", 0},
      {"LF line ends", "AC R\nAN A\n\nAC Q\n", 2, "R", "A", 0},
      // A block without AC continues the airspace before it; one with AC
      // starts a new one with its first record, and takes its AY along.
      {"a block continues the name", "AC R\nAN A\n\nAN\nAN  \nAN B\nDP 1 N 2 E\n", 1, "R", "A  B", 1},
      {"a block's name of its own", "AN \nAN A\n\nAN  B\nAC R\n", 2, "", "A", 0},
      {"a block's AY stays with its airspace", "AC UNC\nAY R\n\nAY P\nAC UNC\n", 2, "R", "", 0},
      {"a continuing block's AY counts", "AC unc\nAY R\n\nAY P\n\nAY\n", 1, "P", "", 0},
      {"UNCLASSIFIED is UNC", "AC Unclassified\nAY Q\n", 1, "Q", "", 0},
      {"only UNC takes AY", "AC UNCL\nAY Q\n", 1, "UNCL", "", 0},
      // Long lines: a name that starts with one is joined in the line's own buffer.
      {"a long first AN line", "AN " + std::string(70000, 'x') + " \t y\r\nAN z \r\nAC R\r\n", 1, "R",
       std::string(70000, 'x') + " y z ", 0},
      {"a long AN line after a short one", "AN a\r\nAN " + std::string(70000, 'x') + "\r\n", 1, "",
       "a " + std::string(70000, 'x'), 0},
      {"a long AN line of blanks", "AN  " + std::string(70000, ' ') + "b\r\nAN c\r\n", 1, "", "b c", 0},
      // Long classes and borders move into the list whole.
      {"a long class", "AC " + std::string(70000, 'c') + "\r\nAN n\r\n", 1, std::string(70000, 'c'), "n", 0},
      {"a long border", "AC R\r\n" + Repeated("DP 1:0:0 N 2:0:0 E\r\n", 20000) + "\r\nAC Q\r\nDP 1:0:0 N 2:0:0 E\r\n",
       2, "R", "", 20000},
  };
  for (const auto& c : cases) {
    const TAirspaceList list = Parse(c.Input);
    ASSERT_EQ(list.size(), c.Count) << c.Title;
    if (c.Count == 0) continue;
    EXPECT_EQ(list[0].AirspaceClass, c.FirstClass) << c.Title;
    EXPECT_EQ(list[0].Name, c.FirstName) << c.Title;
    EXPECT_EQ(list[0].Border.Points.size(), c.FirstPoints) << c.Title;
  }
}

// The place of a failure is the input line of the failing record.
TEST(ParseAirspacesTest, FailuresOfRecordsNameTheirLine) {
  const struct {
    std::string Input, ClassName, Message;
    std::uint32_t Line;
  } cases[] = {
      {"AC R\r\n\r\nAC\r\nAN X\r\n", "EStringListError", "List index out of bounds (1)", 3},
      {"AC R\r\nAN X\r\nAC\r\n", "EStringListError", "List index out of bounds (1)", 3},
      {"AC R\nDP 50:30:00 N\n\n* c\nAC Q\nDP 50::00 N\n", "EConvertError", "'' is not a valid floating point value", 6},
      {"* c\r* c\rAT 1.2.3\r", "EConvertError", "'1.2.3' is not a valid floating point value", 3},
      {"\xEF\xBB\xBF\nA\r\n\rDP 1 N 1-2 E", "EConvertError", "'1-2' is not a valid floating point value", 4},
  };
  for (const auto& c : cases) {
    try {
      Parse(c.Input);
      ADD_FAILURE() << c.Input << " was accepted";
    } catch (const Exception& error) {
      EXPECT_EQ(error.ClassName(), c.ClassName);
      EXPECT_EQ(error.Message(), c.Message);
      EXPECT_EQ(error.Place(), c.Line) << c.Input;
    }
  }
}

TEST(ParseAirspacesTest, LineEndsDoNotChangeTheResult) {
  const std::string crlf = "AC R\r\nAN A\r\nDP 50:30:00 N 014:20:00 E\r\n\r\nAC Q\r\nDP 1:2:3 S 4:5:6 W\r\n";
  std::string cr = crlf, lf = crlf;
  std::erase(cr, '\n');
  std::erase(lf, '\r');
  EXPECT_EQ(ParseAndWrite(cr), ParseAndWrite(crlf));
  EXPECT_EQ(ParseAndWrite(lf), ParseAndWrite(crlf));
}

// Coordinate records are read straight from the line where it holds no
// delimiter but blanks: that must give what the joined tokens give: random DP and AT lines of blanks, tabs, digits,
// signs, letters and colons, against ReadPoint of the joined tokens.
TEST(ParseAirspacesTest, CoordinatesFromTheLineAgreeWithTheTokens) {
  std::mt19937 random(2026);
  const std::string alphabet = "  \t:.-0123456789NSEWx'\"";
  for (int i = 0; i < 20000; ++i) {
    std::string line = i % 2 ? "DP" : "at";
    line += i % 3 ? " " : "\t";
    for (int n = static_cast<int>(random() % 30); n > 0; --n) line += alphabet[random() % alphabet.size()];
    TGeographicPoint expected;
    bool failed = false;
    try {
      expected = ReadPoint(JoinTokens(std::string_view(line).substr(2)));
    } catch (const Exception&) {
      failed = true;
    }
    try {
      const TAirspaceList list = Parse(line);
      ASSERT_FALSE(failed) << line;
      ASSERT_EQ(list[0].Border.Points.size(), i % 2 ? 1u : 0u) << line;
      const TGeographicPoint got = i % 2 ? list[0].Border.Points[0] : list[0].Pin;
      ASSERT_EQ(got.Latitude, expected.Latitude) << line;
      ASSERT_EQ(got.Longitude, expected.Longitude) << line;
    } catch (const EConvertError&) {
      ASSERT_TRUE(failed) << line;
    }
  }
}

TEST(ParseAirspacesTest, DelimitersBetweenValueTokensDoNotMatter) {
  const std::string expected = ParseAndWrite("DP 50:30:00 N 014:20:00 E\r\nAT 1:2:3 S 4:5:6 W\r\n");
  for (const char* input : {"DP 50:30:00\tN  014:20:00 E\r\nAT 1:2:3\x01S 4:5:6 W\r\n",
                            "DP  50:30:00 N 014:20:00 E \r\nAT 1:2:3 S 4:5:6 W\t\r\n",
                            "dp\t50:30:00 N 014:20:00 E\r\nat 1:2:3 S 4:5:6 W\r\n"})
    EXPECT_EQ(ParseAndWrite(input), expected) << input;
}

TEST(ParseAirspacesTest, ManyNameLinesExtendTheName) {
  std::string input = "AC R\r\n";
  for (int i = 0; i < 100000; ++i) input += "AN x\r\n";
  const TAirspaceList list = Parse(input);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Name.size(), 2 * 100000u - 1);
}

// --- arcs ---

struct TArcParse {
  TAirspaceList List;
  TReadReport Report;
  std::vector<std::string> Warnings;
};

TArcParse ParseWithArcs(const std::string& input) {
  TArcParse parse;
  TMemoryStream stream(input);
  std::vector<TFinding> warnings;
  parse.List = ParseAirspaces(stream, {.Arcs = true}, &parse.Report, &warnings);
  for (const TFinding& warning : warnings)
    parse.Warnings.push_back(std::to_string(warning.Line) + ": " + warning.Message +
                             (warning.LeftOut == TFinding::TLeftOut::Nothing ? "" : ", left out: " + warning.Record));
  return parse;
}

// In 5-degree steps: a bound of 1000 m asks for no finer ones below 550 NM.
constexpr TDrawOptions FiveDegreeSteps{.ArcTolerance = MaxArcTolerance};

std::vector<TGeographicPoint> Drawn(const TAirspace& airspace) {
  TDrawer drawer(FiveDegreeSteps);
  const std::span<const TGeographicPoint> points = drawer.Draw(airspace).Border();
  return {points.begin(), points.end()};
}

// Each record that cannot be used: left out with its line and reason, and
// nothing drawn from it; the run goes on.
TEST(ParseAirspacesWithArcsTest, RecordsThatCannotBeUsedAreNamed) {
  const std::string centre = "V X=50:00:00 N 010:00:00 E\n";
  const std::pair<std::string, std::string> cases[] = {
      {"AC R\nDC 0.05\n", "2: no centre (no V X= before it), left out: DC 0.05"},
      {"AC R\nV X=\n", "2: no coordinate after X=, left out: V X="},
      {"AC R\nV X=50::00 N\n", "2: not a coordinate ('' is not a number), left out: V X=50::00 N"},
      {"AC R\nV X=91:00:00 N 010:00:00 E\n", "2: a latitude beyond 90 degrees, left out: V X=91:00:00 N 010:00:00 E"},
      {"AC R\n" + centre + "DC 0\n", "3: a radius or distance not above 0 NM, left out: DC 0"},
      {"AC R\n" + centre + "DC 1000.0001\n", "3: a radius or distance above 1000 NM, left out: DC 1000.0001"},
      {"AC R\n" + centre + "DC 2NM\n", "3: '2NM' is not a number, left out: DC 2NM"},
      {"AC R\n" + centre + "DC 1, 2\n", "3: not one value, left out: DC 1, 2"},
      {"AC R\n" + centre + "DA 1, 2\n", "3: not three values, left out: DA 1, 2"},
      {"AC R\n" + centre + "DB 50:01:00 N 010:00:00 E\n",
       "3: not two coordinates, left out: DB 50:01:00 N 010:00:00 E"},
      {"AC R\n" + centre + "DB 50:01:00 N 010:00:00 E, 95:00:00 N 010:00:00 E\n",
       "3: a latitude beyond 90 degrees, left out: DB 50:01:00 N 010:00:00 E, 95:00:00 N 010:00:00 E"},
      {"AC R\n" + centre + "DB 50:00:00 N 010:00:00 E, 50:01:00 N 010:00:00 E\n",
       "3: a radius or distance not above 0 NM, left out: DB 50:00:00 N 010:00:00 E, 50:01:00 N 010:00:00 E"},
      {"AC R\n" + centre + "DB 50:01:00 N 010:00:00 E, 50:00:00 N 010:00:00 E\n",
       "3: a radius or distance not above 0 NM, left out: DB 50:01:00 N 010:00:00 E, 50:00:00 N 010:00:00 E"},
      {"AC R\n" + centre + "DB 50:01:00 N 010:00:00 E, 30:00:00 N 010:00:00 E\n",
       "3: a radius or distance above 1000 NM, left out: DB 50:01:00 N 010:00:00 E, 30:00:00 N 010:00:00 E"},
      {"AC R\n" + centre + "DB 50:05:00, 010:00:00 E, 50:00:00 N, 010:05:00 E\n",
       "3: not two coordinates, left out: DB 50:05:00, 010:00:00 E, 50:00:00 N, 010:05:00 E"},
      {"AC R\nV D=x\n", "2: a direction that is neither + nor -, left out: V D=x"},
      {"AC R\n" + centre + "DA 1, -1.7e308, 1.7e308\n",
       "3: bearings too far apart to sweep, left out: DA 1, -1.7e308, 1.7e308"},
  };
  for (const auto& [input, warning] : cases) {
    const TArcParse parse = ParseWithArcs(input + "DP 1:0:0 N 2:0:0 E\n");
    ASSERT_EQ(parse.Warnings, std::vector<std::string>{warning}) << input;
    EXPECT_EQ(parse.Report.LeftOut, 1u);
    EXPECT_EQ(parse.Report.Arcs + parse.Report.Circles, 0u);
    EXPECT_EQ(Drawn(parse.List[0]).size(), 1u) << input;  // the DP alone
  }
}

// The centre lasts across airspaces; every AC sets the direction back to
// clockwise, a V D= before it too; generated points stand among the DP
// points in record order; without arcs, the records are nothing.
TEST(ParseAirspacesWithArcsTest, CentreLastsAndDirectionResetsAtEachAc) {
  const std::string input =
      "V D=-\nV X=50:00:00 N 010:00:00 E\nAC R\nDP 50:10:00 N 010:00:00 E\nDA 10, 0, 90\nDP 49:00:00 N 010:00:00 E\n\n"
      "V D=-x\n\nAC Q\nV D=-\nDC 50\nDA 60, 0, 90\n\nAC P\nV W=2\nDB 50:10:00 N 010:00:00 E, 50:00:00 N 010:15:00 E\n";
  const TArcParse parse = ParseWithArcs(input);
  // The centre set in the first airspace, used in the two after it, is told
  // at each record that uses it, in line order; the V before the first AC
  // belongs to the first airspace.
  const std::vector<std::string> warnings = {
      "12: drawn around the centre set on line 2, in another airspace",
      "13: drawn around the centre set on line 2, in another airspace",
      "16: V of an unknown variable \"W\", ignored",
      "17: drawn around the centre set on line 2, in another airspace",
  };
  EXPECT_EQ(parse.Warnings, warnings);
  EXPECT_EQ(parse.Report.Arcs, 3u);
  EXPECT_EQ(parse.Report.Circles, 1u);
  ASSERT_EQ(parse.List.size(), 3u);
  // Clockwise from 0 to 90 in 18 steps between the two DP points; its first
  // point, 10 NM north of the centre, repeats the texts of the DP at 10'
  // north, and is written once.
  const std::vector<TGeographicPoint> first = Drawn(parse.List[0]);
  ASSERT_EQ(first.size(), 1u + 19 + 1);
  EXPECT_EQ(first[0].Latitude, 50 + 10.0 / 60);
  EXPECT_GT(first[10].Longitude, 10);  // east of the centre: clockwise
  EXPECT_EQ(first.back().Latitude, 49);
  TMemoryStream out;
  TDrawer drawer(FiveDegreeSteps);
  EXPECT_EQ(WriteAirspace(drawer.Draw(parse.List[0]), out, {2, TRepeats::Dropped}), 20u);
  const std::vector<TGeographicPoint> second = Drawn(parse.List[1]);
  ASSERT_EQ(second.size(), 72u + 55);  // counter-clockwise: 0 to 90 the long way
  EXPECT_LT(second[72 + 27].Longitude, 10);
  const std::vector<TGeographicPoint> between = Drawn(parse.List[2]);
  ASSERT_EQ(between.size(), 18u + 1);  // DB clockwise from north to east, both ends its own
  EXPECT_EQ(between.front().Latitude, 50 + 10.0 / 60);
  EXPECT_EQ(between.back().Longitude, 10.25);
  // Each record keeps its line.
  ASSERT_EQ(parse.List[1].Arcs().size(), 2u);
  EXPECT_EQ(parse.List[1].Arcs()[0].Line, 12u);
  EXPECT_EQ(parse.List[1].Arcs()[0].CentreLine, 2u);
  EXPECT_EQ(parse.List[2].Arcs()[0].Line, 17u);
  const TAirspaceList plain = Parse(input);
  EXPECT_EQ(Drawn(plain[0]).size(), 2u);
  EXPECT_EQ(Drawn(plain[1]).size(), 0u);
}

// Values on the right side of each bound are taken: a radius of exactly
// 1000 NM, and DB coordinates with a comma inside each, as DP reads them.
TEST(ParseAirspacesWithArcsTest, ValuesWithinTheBoundsAreTaken) {
  const std::string centre = "V X=50:00:00 N 010:00:00 E\n";
  for (const std::string record : {"DC 1000", "DA 1000, 0, 90", "DB 50:05:00 N, 010:00:00 E, 50:00:00 N, 010:05:00 E",
                                   "DB 50:05:00 n,010:00:00 e , 50:00:00 n, 010:05:00 e"}) {
    const TArcParse parse = ParseWithArcs("AC R\n" + centre + record + "\n");
    EXPECT_EQ(parse.Warnings, std::vector<std::string>{}) << record;
    EXPECT_EQ(parse.List[0].Arcs().size(), 1u) << record;
  }
  const TArcParse commas = ParseWithArcs("AC R\n" + centre + "DB 50:05:00 N, 010:00:00 E, 50:00:00 N, 010:05:00 E\n");
  const std::vector<TGeographicPoint> points = Drawn(commas.List[0]);
  ASSERT_GE(points.size(), 2u);
  EXPECT_EQ(points.front().Latitude, 50 + 5.0 / 60);
  EXPECT_EQ(points.back().Longitude, 10 + 5.0 / 60);
}

// The border keeps the input line of every point, in runs of consecutive
// lines, across the blocks of one airspace.
TEST(ParseAirspacesTest, PointsKeepTheirLines) {
  const TAirspaceList list = Parse(
      "AC R\nDP 1 N 2 E\nDP 1 N 3 E\n* comment\nDP 1 N 4 E\nAN x\nDP 1 N 5 E\nDP 1 N 6 E\n\nDP 1 N 7 E\n\nAC Q\nDP 2 N "
      "2 E\n");
  ASSERT_EQ(list.size(), 2u);
  const TBorderView& border = list[0].Border;
  const std::uint64_t lines[] = {2, 3, 5, 7, 8, 10};
  ASSERT_EQ(border.Points.size(), std::size(lines));
  for (std::size_t i = 0; i < std::size(lines); ++i) EXPECT_EQ(border.LineOfPoint(i), lines[i]) << i;
  EXPECT_EQ(border.LaterLines.size(), 3u);
  EXPECT_EQ(list[1].Border.LineOfPoint(0), 13u);
}

// A continuing block joins the name, overrides the pin, type and limits it
// gives, and each field keeps the line of the record that gave it.
TEST(ParseAirspacesTest, FieldsKeepTheLinesOfTheirRecords) {
  const TAirspaceList list =
      Parse("AC R\nAT 1 N 2 E\nAN a\n\nAN b\nAT 3 N 4 E\nAY T\nAL 100ft\nAH FL50\n\nAL 200ft\n\nAC Q\nAN q\n",
            {.Limits = true});
  ASSERT_EQ(list.size(), 2u);
  const TAirspace& airspace = list[0];
  EXPECT_EQ(airspace.Name, "a b");
  EXPECT_EQ(airspace.Pin.Latitude, 3);
  EXPECT_EQ(airspace.ClassLine, 1u);
  EXPECT_EQ(airspace.NameLine, 3u);
  EXPECT_EQ(airspace.PinLine, 6u);
  ASSERT_NE(airspace.Details, nullptr);
  EXPECT_EQ(airspace.Details->Type, "T");
  EXPECT_EQ(airspace.Details->TypeLine, 7u);
  EXPECT_EQ(airspace.Details->Floor.Text, "200FT");
  EXPECT_EQ(airspace.Details->FloorLine, 11u);
  EXPECT_EQ(airspace.Details->CeilingLine, 9u);
  EXPECT_EQ(list[1].ClassLine, 13u);
  EXPECT_EQ(list[1].PinLine, 0u);
  EXPECT_EQ(list[1].Details, nullptr);
}

}  // namespace
