// The airspace record, its markup, and the block parser, in memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <random>
#include <string>

#include "base/Errors.h"
#include "base/UpperCase.h"
#include "io/GrowingText.h"
#include "io/Streams.h"
#include "model/Airspace.h"
#include "model/AirspaceList.h"
#include "openair/BlockParser.h"
#include "openair/Tokens.h"
#include "zrn/AirspaceWriter.h"

namespace {

std::string Markup(const TAirspace& airspace, std::size_t bufferSize = TStream::DefaultBufferSize) {
  TMemoryStream stream("", bufferSize);
  WriteAirspace(airspace, stream);
  stream.Flush();
  return stream.Data();
}

TEST(WriteAirspaceTest, TwoPointExample) {
  TAirspace airspace;
  airspace.AirspaceClass = "R";
  airspace.Name.Append("Test Area");
  airspace.AddBorderPoint("50:30:00 N 014:20:00 E");
  airspace.AddBorderPoint("50:31:00 N 014:21:30 E");
  EXPECT_EQ(Markup(airspace),
            "  <airspace class=\"R\" name=\"TEST AREA\" pin=\"0.00000000000 0.00000000000\">\r\n"
            "    <border>\r\n"
            "      <point lat=\"50.50\" lon=\"14.33\"/>\r\n"
            "      <point lat=\"50.52\" lon=\"14.36\"/>\r\n"
            "    </border>\r\n"
            "  </airspace>\r\n");
}

// Point lines are laid out in the output buffer where it has room for them
// and in pieces where it has not: the bytes are the same either way.
TEST(WriteAirspaceTest, SameBytesWhateverTheBufferSize) {
  TAirspace airspace;
  airspace.AirspaceClass = "R";
  airspace.Name.Append("Test Area");
  for (const char* point : {"50:30:00 N 014:20:00 E", "0:0:18 S 179:59:59 W", "12:34:56.7 N 0:0:0 W",
                            "999.999 N 0.005 E", "0.125 S 0.135 E"})
    airspace.AddBorderPoint(point);
  const std::string expected = Markup(airspace);
  for (std::size_t size = 1; size <= expected.size() + 1; ++size)
    ASSERT_EQ(Markup(airspace, size), expected) << "buffer of " << size;
}

TEST(WriteAirspaceTest, NoBorderLinesWithoutPoints) {
  EXPECT_EQ(Markup(TAirspace()),
            "  <airspace class=\"\" name=\"\" pin=\"0.00000000000 0.00000000000\">\r\n  </airspace>\r\n");
}

TEST(WriteAirspaceTest, UpperCasesAsciiOnlyAndEscapesNothing) {
  TAirspace airspace("Prague ctr \"<&>\" C\xf4te \xe9t\xe9");
  airspace.AirspaceClass = "ctr";
  airspace.Pin.SetFromText("33:52:00 S 151:12:00 E");
  airspace.AddBorderPoint("33:52:00 S 151:12:00 E");
  airspace.AddBorderPoint("33:52:00 S 151:12:00 E");
  EXPECT_EQ(Markup(airspace),
            "  <airspace class=\"CTR\" name=\"PRAGUE CTR \"<&>\" C\xf4TE \xe9T\xe9\" "
            "pin=\"-33.86666666667 151.20000000000\">\r\n"
            "    <border>\r\n"
            "      <point lat=\"-33.87\" lon=\"151.20\"/>\r\n"
            "      <point lat=\"-33.87\" lon=\"151.20\"/>\r\n"
            "    </border>\r\n"
            "  </airspace>\r\n");
}

TEST(AirspaceTest, FailingPointIsNotAppended) {
  TAirspace airspace;
  airspace.AddBorderPoint("1:2:3 N 4:5:6 E");
  EXPECT_THROW(airspace.AddBorderPoint("1::3 N"), EConvertError);
  ASSERT_EQ(airspace.Border.size(), 1u);
}

TEST(UpperCaseTest, AsciiLettersOnly) {
  for (int c = 0; c < 256; ++c) {
    const bool lower = c >= 'a' && c <= 'z';
    EXPECT_EQ(UpperCaseChar(static_cast<char>(c)), static_cast<char>(lower ? c - 32 : c)) << c;
  }
}

// Grows keeping its bytes; a size beyond what can be asked for is refused
// before any allocation, and leaves the text as it was.
TEST(GrowingTextTest, GrowsKeepingItsBytesAndRefusesImpossibleSizes) {
  TGrowingText text;
  std::string expected;
  for (int i = 0; i < 10000; ++i) {
    text.Append(static_cast<char>('a' + i % 26));
    expected += static_cast<char>('a' + i % 26);
  }
  text.Append(std::string_view("xyz"));
  expected += "xyz";
  TGrowingText moved(std::move(text));
  EXPECT_TRUE(text.Empty());  // NOLINT(bugprone-use-after-move): moved from, left empty
  for (const std::size_t count : {SIZE_MAX, SIZE_MAX / 2 - moved.Size() + 1})
    EXPECT_THROW(moved.Reserve(count), std::bad_alloc) << count;
  EXPECT_EQ(moved.View(), expected);
}

// Records stay valid as the list grows over several text and point chunks,
// their texts and borders copied in, or moved in from a quarter chunk on.
TEST(AirspaceListTest, RecordsStayValidAcrossChunks) {
  constexpr int Count = 4000;
  const auto nameOf = [](int i) { return "Area " + std::to_string(i) + std::string(i % 1000 == 7 ? 16384 : 30, 'x'); };
  const auto pointsOf = [](int i) -> std::size_t { return i % 1000 == 3 ? 16383 + i / 1000 % 2 : i % 50 + 1; };
  TAirspaceList list;
  for (int i = 0; i < Count; ++i) {
    TAirspace airspace;
    airspace.AirspaceClass = std::to_string(i);
    for (std::size_t k = 0; k < pointsOf(i); ++k) airspace.Border.emplace_back(i % 90, static_cast<double>(k % 180));
    airspace.Name.Append(nameOf(i));
    list.Add(airspace);
  }
  ASSERT_EQ(list.size(), static_cast<std::size_t>(Count));
  for (int i = 0; i < Count; ++i) {
    const TAirspaceView& record = list[static_cast<std::size_t>(i)];
    ASSERT_EQ(record.AirspaceClass, std::to_string(i));
    ASSERT_EQ(record.Name, nameOf(i));
    ASSERT_EQ(record.Border.size(), pointsOf(i)) << i;
    EXPECT_EQ(record.Border.front().Latitude, i % 90);
    EXPECT_EQ(record.Border.back().Longitude, static_cast<double>((pointsOf(i) - 1) % 180));
  }
}

// --- the block parser ---

TAirspaceList Parse(const std::string& input) {
  TMemoryStream stream(input);
  return ParseAirspaces(stream);
}

std::string ParseAndWrite(const std::string& input) {
  TMemoryStream out;
  for (const TAirspaceView& airspace : Parse(input)) WriteAirspace(airspace, out);
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
  EXPECT_EQ(list[0].Pin.AsPinText(), "50.50416666667 14.34166666667");
  ASSERT_EQ(list[0].Border.size(), 2u);
  EXPECT_DOUBLE_EQ(list[0].Border[1].Longitude, -0.125);
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
    EXPECT_EQ(list[0].Border.size(), c.FirstPoints) << c.Title;
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
// signs, letters and colons, against SetFromText of the joined tokens.
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
      expected.SetFromText(JoinTokens(std::string_view(line).substr(2)));
    } catch (const Exception&) {
      failed = true;
    }
    try {
      const TAirspaceList list = Parse(line);
      ASSERT_FALSE(failed) << line;
      ASSERT_EQ(list[0].Border.size(), i % 2 ? 1u : 0u) << line;
      const TGeographicPoint got = i % 2 ? list[0].Border[0] : list[0].Pin;
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
  TArcReport Report;
  std::vector<std::string> Warnings;
};

TArcParse ParseWithArcs(const std::string& input) {
  TArcParse parse;
  TMemoryStream stream(input);
  parse.List = ParseAirspacesWithArcs(
      stream,
      [&parse](std::uint64_t line, const std::string& reason, std::string_view record) {
        parse.Warnings.push_back(std::to_string(line) + ": " + reason + ", left out: " + std::string(record));
      },
      parse.Report);
  return parse;
}

// Each record that cannot be used: left out with its line and reason, and
// nothing drawn from it; the run goes on.
TEST(ParseAirspacesWithArcsTest, RecordsThatCannotBeUsedAreNamed) {
  const std::string centre = "V X=50:00:00 N 010:00:00 E\n";
  const std::pair<std::string, std::string> cases[] = {
      {"AC R\nDC 0.05\n", "2: no centre (no V X= before it), left out: DC 0.05"},
      {"AC R\nV X=\n", "2: no coordinate after X=, left out: V X="},
      {"AC R\nV X=50::00 N\n", "2: not a coordinate ('' is not a valid floating point value), left out: V X=50::00 N"},
      {"AC R\nV X=91:00:00 N 010:00:00 E\n", "2: a latitude beyond 90 degrees, left out: V X=91:00:00 N 010:00:00 E"},
      {"AC R\n" + centre + "DC 0\n", "3: a radius or distance not above 0 NM, left out: DC 0"},
      {"AC R\n" + centre + "DC 1000.5\n", "3: a radius or distance above 1000 NM, left out: DC 1000.5"},
      {"AC R\n" + centre + "DC 2NM\n", "3: not a number ('2NM' is not a valid floating point value), left out: DC 2NM"},
      {"AC R\n" + centre + "DC 1, 2\n", "3: not one value, left out: DC 1, 2"},
      {"AC R\n" + centre + "DA 1, 2\n", "3: not three values, left out: DA 1, 2"},
      {"AC R\n" + centre + "DB 50:01:00 N 010:00:00 E\n",
       "3: not two coordinates, left out: DB 50:01:00 N 010:00:00 E"},
      {"AC R\n" + centre + "DB 50:01:00 N 010:00:00 E, 95:00:00 N 010:00:00 E\n",
       "3: a latitude beyond 90 degrees, left out: DB 50:01:00 N 010:00:00 E, 95:00:00 N 010:00:00 E"},
      {"AC R\n" + centre + "DB 50:00:00 N 010:00:00 E, 50:01:00 N 010:00:00 E\n",
       "3: a radius or distance not above 0 NM, left out: DB 50:00:00 N 010:00:00 E, 50:01:00 N 010:00:00 E"},
      {"AC R\nV D=x\n", "2: a direction that is neither + nor -, left out: V D=x"},
      {"AC R\n" + centre + "DA 1, -1.7e308, 1.7e308\n",
       "3: bearings too far apart to sweep, left out: DA 1, -1.7e308, 1.7e308"},
  };
  for (const auto& [input, warning] : cases) {
    const TArcParse parse = ParseWithArcs(input + "DP 1:0:0 N 2:0:0 E\n");
    ASSERT_EQ(parse.Warnings, std::vector<std::string>{warning}) << input;
    EXPECT_EQ(parse.Report.LeftOut, 1u);
    EXPECT_EQ(parse.Report.Arcs + parse.Report.Circles, 0u);
    EXPECT_EQ(parse.List[0].Border.size(), 1u) << input;  // the DP alone
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
  EXPECT_TRUE(parse.Warnings.empty());
  EXPECT_EQ(parse.Report.Arcs, 3u);
  EXPECT_EQ(parse.Report.Circles, 1u);
  ASSERT_EQ(parse.List.size(), 3u);
  // Clockwise from 0 to 90 in 18 steps, its first point 10 NM north of the
  // centre dropped: its texts repeat those of the DP at 10' north.
  ASSERT_EQ(parse.List[0].Border.size(), 1u + 18 + 1);
  EXPECT_EQ(parse.List[0].Border[0].Latitude, 50 + 10.0 / 60);
  EXPECT_GT(parse.List[0].Border[10].Longitude, 10);  // east of the centre: clockwise
  EXPECT_EQ(parse.List[0].Border.back().Latitude, 49);
  ASSERT_EQ(parse.List[1].Border.size(), 72u + 55);  // counter-clockwise: 0 to 90 the long way
  EXPECT_LT(parse.List[1].Border[72 + 27].Longitude, 10);
  const auto& between = parse.List[2].Border;
  ASSERT_EQ(between.size(), 18u + 1);  // DB clockwise from north to east, both ends its own
  EXPECT_EQ(between.front().Latitude, 50 + 10.0 / 60);
  EXPECT_EQ(between.back().Longitude, 10.25);
  // A point that repeats the last of the airspace before, in a block that
  // moves to a new airspace at its AC, is that airspace's first point: kept.
  const TArcParse moved = ParseWithArcs("AC R\nDP 1:0:0 N 2:0:0 E\n\nDP 1:0:0 N 2:0:0 E\nAC Q\n");
  ASSERT_EQ(moved.List.size(), 2u);
  EXPECT_EQ(moved.List[1].Border.size(), 1u);
  const TAirspaceList plain = Parse(input);
  EXPECT_EQ(plain[0].Border.size(), 2u);
  EXPECT_EQ(plain[1].Border.size(), 0u);
}

// With arcs, a point whose texts repeat those of the point before it is
// written once, whatever made either; without, every point is written.
TEST(WriteAirspaceTest, RepeatedPointTextsOnceWhereAsked) {
  TAirspace airspace;
  for (const char* point :
       {"1:0:0 N 2:0:0 E", "1:0:0.1 N 2:0:0 E", "1:0:36 N 2:0:0 E", "1:0:0 N 2:0:0 E", "1:0:0 N 2:0:0 E"})
    airspace.AddBorderPoint(point);
  TMemoryStream kept, dropped;
  EXPECT_EQ(WriteAirspace(airspace, kept), 5u);
  EXPECT_EQ(WriteAirspace(airspace, dropped, TRepeats::Dropped), 3u);
  dropped.Flush();
  EXPECT_EQ(dropped.Data(),
            "  <airspace class=\"\" name=\"\" pin=\"0.00000000000 0.00000000000\">\r\n    <border>\r\n"
            "      <point lat=\"1.00\" lon=\"2.00\"/>\r\n      <point lat=\"1.01\" lon=\"2.00\"/>\r\n"
            "      <point lat=\"1.00\" lon=\"2.00\"/>\r\n    </border>\r\n  </airspace>\r\n");
}

}  // namespace
