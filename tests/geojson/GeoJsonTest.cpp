// The GeoJSON room: the encodings against the system's iconv where there is
// one, the rings' cut and turn, a feature's text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geodesy/Draw.h"
#include "geojson/Encodings.h"
#include "geojson/FeatureText.h"
#include "geojson/Rings.h"
#include "io/Streams.h"
#include "model/AirspaceList.h"
#include "openair/AirspaceReader.h"

#if __has_include(<iconv.h>) && !defined(_WIN32)
#include <iconv.h>
#define TARNEL_HAS_ICONV 1
#endif

namespace {

TEST(EncodingTest, EightBitTablesAgreeWithIconv) {
#ifdef TARNEL_HAS_ICONV
  const char* names[] = {"WINDOWS-1250", "WINDOWS-1252", "ISO-8859-1", "ISO-8859-2", "ISO-8859-15"};
  for (int e = 0; e < 5; ++e) {
    const TEncoding encoding = *EncodingNamed(EncodingNames[static_cast<std::size_t>(e + 1)]);
    iconv_t convert = iconv_open("UTF-8", names[e]);
    // A cross build's C library under qemu has no conversion modules.
    if (convert == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "this system's iconv has no " << names[e];
    for (int byte = 0x80; byte < 0x100; ++byte) {
      char in = static_cast<char>(byte), out[8];
      char *from = &in, *to = out;
      std::size_t left = 1, room = sizeof out;
      if (iconv(convert, &from, &left, &to, &room) == static_cast<std::size_t>(-1)) continue;  // undefined there
      std::string ours;
      AppendAsUtf8(ours, std::string(1, in), encoding);
      EXPECT_EQ(ours, std::string(out, to)) << names[e] << " " << byte;
    }
    iconv_close(convert);
  }
#else
  GTEST_SKIP() << "no iconv on this system to compare with";
#endif
}

TEST(EncodingTest, Utf8IsTakenWhereWellFormed) {
  const struct {
    std::string Bytes;
    bool Valid;
    std::string Repaired;  // as --encoding=utf-8 takes it
  } rows[] = {
      {"ZÜRICH \xC3\x9C", true, "ZÜRICH \xC3\x9C"},
      {"\xC0\xAF", false, "\xEF\xBF\xBD\xEF\xBF\xBD"},                                  // overlong "/"
      {"\xED\xA0\x80", false, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},                  // a surrogate
      {"\xF4\x90\x80\x80", false, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // above U+10FFFF
      {"\xF0\x9F\x9B\xA9", true, "\xF0\x9F\x9B\xA9"},
      {"Z\xFCrich", false, "Z\xEF\xBF\xBDrich"},        // Latin-1
      {"\xE2\x82", false, "\xEF\xBF\xBD\xEF\xBF\xBD"},  // cut short
  };
  for (const auto& row : rows) {
    EXPECT_EQ(IsUtf8(row.Bytes), row.Valid) << row.Bytes;
    std::string taken;
    AppendAsUtf8(taken, row.Bytes, TEncoding::Utf8);
    EXPECT_EQ(taken, row.Repaired) << row.Bytes;
  }
  EXPECT_EQ(EncodingNamed("Windows-1250"), TEncoding::Windows1250);
  EXPECT_EQ(EncodingNamed("latin1"), std::nullopt);
}

std::vector<TGeographicPoint> Points(std::initializer_list<std::pair<double, double>> lonLat) {
  std::vector<TGeographicPoint> points;
  for (const auto& [lon, lat] : lonLat) points.emplace_back(lat, lon);
  return points;
}

// Each ring as "lon lat" texts, cut points marked with '*'.
std::vector<std::vector<std::string>> Shown(const std::vector<TRing>& rings) {
  std::vector<std::vector<std::string>> shown;
  for (const TRing& ring : rings) {
    shown.emplace_back();
    for (const TRingVertex& v : ring) {
      char text[64];
      std::snprintf(text, sizeof text, "%g %g%s", v.X, v.Y, v.Point == TRingVertex::NoPoint ? "*" : "");
      shown.back().emplace_back(text);
    }
  }
  return shown;
}

TEST(RingTest, RingsAreCutAt180AndTurnedCounterClockwise) {
  using TShown = std::vector<std::vector<std::string>>;
  const struct {
    std::vector<TGeographicPoint> Border;
    TShown Rings;
  } rows[] = {
      {Points({{0, 0}, {1, 0}, {1, 1}}), TShown{{"0 0", "1 0", "1 1"}}},  // counter-clockwise already
      {Points({{0, 0}, {1, 1}, {1, 0}}), TShown{{"1 0", "1 1", "0 0"}}},  // clockwise: reversed
      {Points({{0, 0}, {1, 1}, {2, 2}}), TShown{{"0 0", "1 1", "2 2"}}},  // no area: as it is
      {Points({{179, 0}, {-179, 0}, {-179, 2}, {179, 2}}),                // across 180
       TShown{{"179 0", "180 0*", "180 2*", "179 2"}, {"-180 0*", "-179 0", "-179 2", "-180 2*"}}},
      {Points({{170, -10}, {-170, 10}, {170, 10}}),  // the cut's latitude interpolated in unwrapped longitude
       TShown{{"170 -10", "180 0*", "180 10*", "170 10"}, {"-180 0*", "-170 10", "-180 10*"}}},
      {Points({{0, 80}, {120, 80}, {-120, 80}}), TShown{{"0 80", "120 80", "-120 80"}}},  // round the pole
      {Points({{0, 80}, {-120, 80}, {120, 80}}), TShown{{"0 80", "-120 80", "120 80"}}},  // the other way
  };
  for (const auto& row : rows) EXPECT_EQ(Shown(GeoJsonRings(row.Border)), row.Rings);
}

// The first airspace of the text as its feature.
std::string FeatureOf(const std::string& text, TFeatureFormat format, std::size_t& points) {
  TMemoryStream in(text);
  TAirspaceReader reader(in, {.Limits = true});
  TAirspaceList list;
  while (TAirspaceDraft* airspace = reader.Next()) list.Add(*airspace);
  TDrawer drawer({.Pins = true});
  TFeatureMaker maker(format);
  std::string feature(maker.Feature(drawer.Draw(*list.begin())));
  points = maker.Points();
  return feature;
}

TEST(FeatureTest, PropertiesAreEscapedAndShortBordersHaveNoGeometry) {
  std::size_t points = 0;
  EXPECT_EQ(FeatureOf("AC r\nAN Le \"Nid\" \\ \xE9t\xE9\nAL GND\nDP 50:00:00 N 10:00:00 E\nDP 50:00:01 N 10:00:00 E\n",
                      {.Digits = 2, .DropRepeats = true, .Encoding = TEncoding::Windows1252}, points),
            R"({"type":"Feature","properties":{"name":"LE \"NID\" \\ )"
            "\xC3\xA9T\xC3\xA9"
            R"(","class":"R","type":null,)"
            R"("floor":"GND","ceiling":null,"line":1,"label":null},"geometry":null})");
  EXPECT_EQ(points, 1u);  // the two points' texts are the same at 2 decimals
}

TEST(FeatureTest, RingsAreClosedWithTheZrnTextsAndTheFoundPin) {
  std::size_t points = 0;
  const std::string square =
      "AC D\nAN X\nDP 1:00:00 N 1:00:00 E\nDP 1:00:00 N 2:00:00 E\nDP 0:00:00 N 2:00:00 E\n"
      "DP 0:00:00 N 1:00:00 E\nDP 1:00:00 N 1:00:00 E\n";
  EXPECT_EQ(FeatureOf(square, {.Digits = 3}, points),
            R"({"type":"Feature","properties":{"name":"X","class":"D","type":null,"floor":null,"ceiling":null,)"
            R"("line":1,"label":[1.50000000000,0.50000000000]},"geometry":{"type":"Polygon","coordinates":)"
            R"([[[1.000,0.000],[2.000,0.000],[2.000,1.000],[1.000,1.000],[1.000,0.000]]]}})");
  EXPECT_EQ(points, 4u);  // the last repeats the first: the ring's closing point
}

}  // namespace
