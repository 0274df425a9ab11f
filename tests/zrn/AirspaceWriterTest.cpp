// The ZRN markup of one airspace: its lines to the byte, the pin text, and
// the repeat rule.
#include <gtest/gtest.h>

#include <string>

#include "geodesy/Draw.h"
#include "io/Streams.h"
#include "model/AirspaceDraft.h"
#include "openair/CoordinateText.h"
#include "openair/VerticalLimits.h"
#include "zrn/AirspaceWriter.h"

namespace {

void AddPoint(TAirspaceDraft& airspace, const char* text) { airspace.Border.AddPoint(ReadPoint(text), 1); }

std::string Markup(TAirspaceDraft& airspace, std::size_t bufferSize = TStream::DefaultBufferSize,
                   TWriteFormat format = {}) {
  TMemoryStream stream("", bufferSize);
  TDrawer drawer;
  WriteAirspace(drawer.Draw(airspace.View()), stream, format);
  stream.Flush();
  return stream.Data();
}

TEST(WriteAirspaceTest, TwoPointExample) {
  TAirspaceDraft airspace;
  airspace.Class = "R";
  airspace.Name.Append("Test Area");
  AddPoint(airspace, "50:30:00 N 014:20:00 E");
  AddPoint(airspace, "50:31:00 N 014:21:30 E");
  EXPECT_EQ(Markup(airspace),
            "  <airspace class=\"R\" name=\"TEST AREA\" pin=\"0.00000000000 0.00000000000\">\r\n"
            "    <border>\r\n"
            "      <point lat=\"50.50\" lon=\"14.33\"/>\r\n"
            "      <point lat=\"50.52\" lon=\"14.36\"/>\r\n"
            "    </border>\r\n"
            "  </airspace>\r\n");
}

// Point lines are laid out in the output buffer where it has room for them
// and in pieces where it has not: the bytes are the same either way, at
// every number of digits, for the longest texts too (-1000.00...).
TEST(WriteAirspaceTest, SameBytesWhateverTheBufferSize) {
  TAirspaceDraft airspace;
  airspace.Class = "R";
  airspace.Name.Append("Test Area");
  for (const char* point : {"50:30:00 N 014:20:00 E", "0:0:18 S 179:59:59 W", "12:34:56.7 N 0:0:0 W",
                            "999.999 N 0.005 E", "0.125 S 0.135 E", "999.9999999999999 S 999.9999999999999 W",
                            "999.9999999999999 S 999.9999999999999 W", "1000.5 N 1000.5 E"})
    AddPoint(airspace, point);
  for (const int digits : {2, 6, 11})
    for (const TRepeats repeats : {TRepeats::Kept, TRepeats::Dropped}) {
      const std::string expected = Markup(airspace, TStream::DefaultBufferSize, {digits, repeats, false});
      for (std::size_t size = 1; size <= expected.size() + 1; ++size)
        ASSERT_EQ(Markup(airspace, size, {digits, repeats, false}), expected) << "buffer of " << size << ", " << digits;
    }
  EXPECT_NE(Markup(airspace, 1, {11}).find("lat=\"-1000.00000000000\""), std::string::npos);
}

TEST(WriteAirspaceTest, NoBorderLinesWithoutPoints) {
  TAirspaceDraft airspace;
  EXPECT_EQ(Markup(airspace),
            "  <airspace class=\"\" name=\"\" pin=\"0.00000000000 0.00000000000\">\r\n  </airspace>\r\n");
}

// The limits follow the name where asked for, upper-cased with it; the name
// itself is as read.
TEST(WriteAirspaceTest, LimitsAfterTheNameWhereAsked) {
  const struct {
    const char* Name;
    const char* Floor;
    const char* Ceiling;
    bool Limits;
    const char* Written;
  } cases[] = {
      {"Ctr a", "sfc", "fl65", true, "CTR A GND-FL65"},
      {"Ctr a", "sfc", "fl65", false, "CTR A"},
      {"", "notam", "", true, "NOTAM-?"},
      {"b ", "", "", true, "B "},
  };
  for (const auto& c : cases) {
    TAirspaceDraft airspace;
    airspace.Name.Append(c.Name);
    airspace.Details.Floor = ReadVerticalLimit(c.Floor);
    airspace.Details.Ceiling = ReadVerticalLimit(c.Ceiling);
    airspace.HasDetails = true;
    EXPECT_EQ(Markup(airspace, TStream::DefaultBufferSize, {.Limits = c.Limits}),
              std::string("  <airspace class=\"\" name=\"") + c.Written +
                  "\" pin=\"0.00000000000 0.00000000000\">\r\n  </airspace>\r\n")
        << c.Name;
    EXPECT_EQ(airspace.View().Name, c.Name);
  }
}

TEST(WriteAirspaceTest, UpperCasesAsciiOnlyAndEscapesNothing) {
  TAirspaceDraft airspace;
  airspace.Name.Append("Prague ctr \"<&>\" C\xf4te \xe9t\xe9");
  airspace.Class = "ctr";
  airspace.Airspace.Pin = ReadPoint("33:52:00 S 151:12:00 E");
  AddPoint(airspace, "33:52:00 S 151:12:00 E");
  AddPoint(airspace, "33:52:00 S 151:12:00 E");
  EXPECT_EQ(Markup(airspace),
            "  <airspace class=\"CTR\" name=\"PRAGUE CTR \"<&>\" C\xf4TE \xe9T\xe9\" "
            "pin=\"-33.86666666667 151.20000000000\">\r\n"
            "    <border>\r\n"
            "      <point lat=\"-33.87\" lon=\"151.20\"/>\r\n"
            "      <point lat=\"-33.87\" lon=\"151.20\"/>\r\n"
            "    </border>\r\n"
            "  </airspace>\r\n");
}

// With arcs, a point whose texts repeat those of the point before it is
// written once, whatever made either; without, every point is written.
TEST(WriteAirspaceTest, RepeatedPointTextsOnceWhereAsked) {
  TAirspaceDraft airspace;
  for (const char* point :
       {"1:0:0 N 2:0:0 E", "1:0:0.1 N 2:0:0 E", "1:0:36 N 2:0:0 E", "1:0:0 N 2:0:0 E", "1:0:0 N 2:0:0 E"})
    AddPoint(airspace, point);
  TMemoryStream kept, dropped;
  TDrawer drawer;
  EXPECT_EQ(WriteAirspace(drawer.Draw(airspace.View()), kept), 5u);
  EXPECT_EQ(WriteAirspace(drawer.Draw(airspace.View()), dropped, {2, TRepeats::Dropped}), 3u);
  dropped.Flush();
  EXPECT_EQ(dropped.Data(),
            "  <airspace class=\"\" name=\"\" pin=\"0.00000000000 0.00000000000\">\r\n    <border>\r\n"
            "      <point lat=\"1.00\" lon=\"2.00\"/>\r\n      <point lat=\"1.01\" lon=\"2.00\"/>\r\n"
            "      <point lat=\"1.00\" lon=\"2.00\"/>\r\n    </border>\r\n  </airspace>\r\n");
}

TEST(PinTextTest, ElevenDecimalsFromFifteenDigits) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "0.00000000000 0.00000000000"},
      {"50:30:15 N 014:20:30 E", "50.50416666667 14.34166666667"},
      {"33:52:00 S 151:12:00 E", "-33.86666666667 151.20000000000"},
      {"51:30:00 N 000:07:30 W", "51.50000000000 -0.12500000000"},
  };
  for (const auto& [text, pin] : cases) {
    EXPECT_EQ(PinText(ReadPoint(text)), pin) << text;
  }
  EXPECT_EQ(PinText(TGeographicPoint()), "0.00000000000 0.00000000000");
}

}  // namespace
