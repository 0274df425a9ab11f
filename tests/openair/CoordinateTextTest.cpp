// The geographic point and its coordinate texts: every form they read, its failures, the
// range rule of a new point and the pin text.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>

#include "ExactText.h"
#include "base/Errors.h"
#include "model/GeographicPoint.h"
#include "numtext/Extended.h"
#include "numtext/NumText.h"
#include "openair/CoordinateDoubts.h"
#include "openair/CoordinateText.h"

namespace {

struct CoordinateCase {
  std::string Text;
  double Latitude, Longitude;
};

void ExpectPosition(const CoordinateCase& c) {
  TGeographicPoint point(1, 2);
  point = ReadPoint(TExactText(c.Text));
  EXPECT_DOUBLE_EQ(point.Latitude, c.Latitude) << c.Text;
  EXPECT_DOUBLE_EQ(point.Longitude, c.Longitude) << c.Text;
}

const std::string Degree(1, static_cast<char>(176));

TEST(ReadPointTest, DegreesMinutesSeconds) {
  const CoordinateCase cases[] = {
      {"50:30:00 N 014:20:00 E", 50.5, 14 + 20.0 / 60},
      {"51:30:00 N 000:07:30 W", 51.5, -0.125},
      {"33:52:00 S 151:12:00 E", -(33 + 52.0 / 60), 151.2},
      {"50:30:15N 014:20:30E", 50.504166666666666, 14.341666666666667},
      {"50:30:15N014:20:30E", 50.504166666666666, 14.341666666666667},
      {"50:30:15 n 014:20:30 e", 50.504166666666666, 14.341666666666667},
      {"50" + Degree + "30'15\" N 014" + Degree + "20'30\" E", 50.504166666666666, 14.341666666666667},
      {"50\xc2\xb0"
       "30'15\" N 014\xc2\xb0"
       "20'30\" E",
       50.504166666666666, 14.341666666666667},
      {"N50:30:00 E014:20:00", 50.5, 14 + 20.0 / 60},
      {"  50:30:00   N,014:20:00 E  ", 50.5, 14 + 20.0 / 60},
      {"50:30:00 014:20:00", 50.5, 14 + 20.0 / 60},
      {"50:30:00 N 014:20:00", 50.5, 14 + 20.0 / 60},  // a fixed-place longitude at the text's very end
      {"-50:30:00 -014:20:00", -49.5, -14 + 20.0 / 60},
      {"50:30:00 S 014:20:00 W N", 50.5, -(14 + 20.0 / 60)},
      {"95:00:00 N 200:00:00 E", 95, 200},
      {"", 0, 0},
      {"N E", 0, 0},
      {".:.:. N", 0, 0},
  };
  for (const CoordinateCase& c : cases) ExpectPosition(c);
}

TEST(ReadPointTest, ShorterFormsMoveToTheLongitudeAtTheLatitudeLetter) {
  const CoordinateCase cases[] = {
      {"50:30 N 014:20 E", 50.5, 14 + 20.0 / 60},
      {"50.5 N 14.25 E", 50.5, 14.25},
      {"45:30.5 N 006:15.25 E", 45 + 30.5 / 60, 6 + 15.25 / 60},
      {"45:15.531 N 006:18.333 E", 45 + 15.531 / 60, 6 + 18.333 / 60},
      {"50.5N 14.25W", 50.5, -14.25},
      {"33.5 S 151.2 E", -33.5, 151.2},
      {"50:30:15N014:20:30E", 50 + 30.0 / 60 + 15.0 / 3600, 14 + 20.0 / 60 + 30.0 / 3600},
      {"50.5 N 14.25", 50.5, 14.25},  // a fraction at the text's very end
  };
  for (const CoordinateCase& c : cases) ExpectPosition(c);
}

TEST(ReadPointTest, SumsBeyondTheDoubleRangeFail) {
  const std::string nearMax = "179769313486231570" + std::string(291, '0');  // just below the largest double
  TGeographicPoint point(1, 2);
  EXPECT_NO_THROW(point = ReadPoint(nearMax + " N"));
  EXPECT_EQ(point.Latitude, 1.7976931348623157e308);
  const std::string overflow = nearMax + ":" + nearMax + ":0";
  for (const std::string& text : {overflow + " N", "1:2:3 N " + overflow + " E"}) {
    try {
      point = ReadPoint(text);
      ADD_FAILURE() << "an infinite coordinate was accepted";
    } catch (const EOverflow& error) {
      EXPECT_EQ(error.ClassName(), "EOverflow");
      EXPECT_EQ(error.Message(), "Floating point overflow");
    }
  }
}

TEST(ReadPointTest, NumbersAfterTheSixthAreDropped) {
  ExpectPosition({"1:2:3 N 4:5:6 E 7 8 9", 1 + 2.0 / 60 + 3.0 / 3600, 4 + 5.0 / 60 + 6.0 / 3600});
  TGeographicPoint point;
  EXPECT_THROW(point = ReadPoint(TExactText("1:2:3 N 4:5:6 E 7 8 --9")), EConvertError);
}

TEST(ReadPointTest, InvalidNumbersFail) {
  const std::pair<const char*, const char*> cases[] = {
      {"50::00 N", "''"},     {"- N", "'-'"},  {"50.5.5 N", "'50.5.5'"},
      {"50-30 N", "'50-30'"}, {":30 N", "''"}, {"50:30:00 N 014:2-0 E", "'2-0'"},
  };
  for (const auto& [text, quoted] : cases) {
    try {
      ReadPoint(TExactText(text));
      ADD_FAILURE() << "accepted " << text;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), std::string(quoted) + " is not a valid floating point value") << text;
    }
  }
}

// Every number of a D:M:S text goes through the number conversion: random
// texts, whole and fractional, short and over fifteen digits, agree with
// converting each number on its own and summing as the point does.
TEST(ReadPointTest, AgreesWithTheNumberConversionOnRandomTexts) {
  std::mt19937 random(99);
  const auto number = [&] {
    const std::size_t digits = 1 + random() % 18;
    const std::size_t point = random() % 3 == 0 ? random() % (digits + 1) : digits + 1;
    std::string text;
    for (std::size_t i = 0; i <= digits; ++i) {
      if (i == point) text += '.';
      if (i < digits) text += static_cast<char>('0' + random() % 10);
    }
    return text;
  };
  const auto degrees = SexagesimalToDouble;
  for (int i = 0; i < 20000; ++i) {
    std::string n[6];
    for (std::string& text : n) text = number();
    TGeographicPoint point;
    std::string text;
    text.append(n[0]).append(":").append(n[1]).append(":").append(n[2]).append(" S ");
    text.append(n[3]).append(":").append(n[4]).append(":").append(n[5]).append(" E");
    point = ReadPoint(TExactText(text));
    double v[6];
    for (int j = 0; j < 6; ++j) v[j] = TextToNumber(n[j]);
    ASSERT_EQ(point.Latitude, -std::fabs(degrees(v[0], v[1], v[2]))) << n[0] << ":" << n[1] << ":" << n[2];
    ASSERT_EQ(point.Longitude, std::fabs(degrees(v[3], v[4], v[5]))) << n[3] << ":" << n[4] << ":" << n[5];
  }
}

// The one-pass reader of the usual forms against the full scan: the same
// bits or the same failure, or it leaves the text to the scan. Every whole
// D:M:S of both hemispheres, then random texts near the usual forms.
void ExpectSameAsScanning(const std::string& text) {
  const TExactText exact(text);
  const auto outcome = [&](bool usual) {
    TCoordinates read{1, 2};
    std::string failure;
    bool served = true;
    try {
      if (usual)
        served = ReadUsualCoordinateText(exact, read);
      else
        read = ScanCoordinateText(exact);
    } catch (const Exception& error) {
      failure = error.ClassName() + ": " + error.Message();
    }
    return std::tuple(served, std::bit_cast<std::uint64_t>(read.Latitude), std::bit_cast<std::uint64_t>(read.Longitude),
                      failure);
  };
  const auto usual = outcome(true);
  if (std::get<0>(usual)) {
    ASSERT_EQ(usual, outcome(false)) << text;
  } else {
    ASSERT_EQ(std::get<1>(usual), std::bit_cast<std::uint64_t>(1.0)) << text;  // left unchanged
  }
}

TEST(ReadPointTest, UsualFormsReadAsTheScanReadsThem) {
  char text[40];
  for (int d = 0; d <= 180; ++d)
    for (int m = 0; m < 60; ++m)
      for (int s = 0; s < 60; ++s) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d %c %03d:%02d:%02d %c", d % 91, m, s, "NS"[s % 2], d, s, m,
                      "EW"[m % 2]);
        ExpectSameAsScanning(text);
      }
  std::mt19937 random(7);
  const std::string alphabet = "0123456789::..  NSEWnsewx-,\t";
  const std::string seeds[] = {"50:30:15 N 014:20:30 E", "45:15.531N 006:18.333W", "50.5 s 14.25 e",
                               "1797693134862315700000000000000000:0.5 N 1:2 E",
                               "1" + std::string(400, '0') + ".5 N 1 E"};
  for (int i = 0; i < 200000; ++i) {
    std::string t = seeds[random() % std::size(seeds)];
    for (int edits = random() % 4; edits > 0; --edits) {
      const std::size_t at = random() % (t.size() + 1);
      const char c = alphabet[random() % alphabet.size()];
      if (random() % 2 && at < t.size())
        t[at] = c;
      else
        t.insert(at, 1, c);
    }
    ExpectSameAsScanning(t);
  }
  // Every byte at every place of the forms read at fixed places.
  for (const std::string seed : {"50:30:15 N 014:20:30 E", "05:03:01S 14:02:03W", "50:30:15N 014:20:30E"})
    for (std::size_t at = 0; at < seed.size(); ++at)
      for (int c = 0; c < 256; ++c) {
        std::string t = seed;
        t[at] = static_cast<char>(c);
        ExpectSameAsScanning(t);
      }
}

TEST(GeographicPointTest, CreateStoresOnlyValuesInRange) {
  const struct {
    double Latitude, Longitude, StoredLatitude, StoredLongitude;
  } cases[] = {
      {90, 180, 90, 180},
      {-90, -180, -90, -180},
      {90.000001, 180.5, 0, 0},
      {-91, -181, 0, 0},
      {std::nan(""), std::nan(""), 0, 0},
      {45.5, -7.25, 45.5, -7.25},
  };
  for (const auto& c : cases) {
    const TGeographicPoint point(c.Latitude, c.Longitude);
    EXPECT_EQ(point.Latitude, c.StoredLatitude);
    EXPECT_EQ(point.Longitude, c.StoredLongitude);
  }
}

}  // namespace

// Each doubt about a coordinate once, the first that applies, and its
// absence just inside its boundary.
TEST(CoordinateDoubtTest, FirstDoubtOfEachText) {
  const struct {
    std::string Raw;
    bool Sixty;
    std::string Doubt;
  } cases[] = {
      {" 50:11:52 N 013:10:37 E", true, ""},
      {"", false, "latitude missing"},
      {" 50:11:52 N", false, "longitude missing"},
      {" 013:10:37 E", false, "latitude missing"},
      {" 50:11:52 N 013:1O:37 E", false, "the letter O is no part of a coordinate"},
      {" 50:3" + std::string(1, '\0') + "0:00 N 013:10:37 E", false, "a NUL byte is no part of a coordinate"},
      {" 50:30:00 N; 013:10:37 E", false, "the character ; is no part of a coordinate"},
      {" 50:30:00 N\t013:10:37\x1B E", false, "the control byte 0x1B is no part of a coordinate"},
      {" 50\xC2\xB0"
       "30'00\" N\t013\xB0"
       "10'37\" E",
       true, ""},  // degree signs, minute and second marks
      {" 50,1978 N 013,1769 E", false, "decimal comma in 50,1978"},
      {" 50:11:52 N, 013:10:37 E", false, ""},  // a comma between a digit and a blank
      {" 50:11:52 N S 013:10:37 E", false, "more than one hemisphere letter for the latitude"},
      {" 50:11:52 N 013:10:37 E W", false, "more than one hemisphere letter for the longitude"},
      {" 95:11:52 N 013:10:37 E", false, "latitude beyond 90"},
      {" 90:00:00 S 180:00:00 W", false, ""},
      {" 50:11:52 N 180:00:01 E", false, "longitude beyond 180"},
      {" 50:71:52 N 013:10:37 E", false, ""},  // told by the check alone
      {" 50:71:52N, 013:10:37E", false, ""},
      {" 50:71:52 N 013:10:37 E", true, "minutes of 60 or more: 71"},
      {" 50:11:60 N 013:10:37 E", true, "seconds of 60 or more: 60"},
      {" 50:11:59.99 N 013:59:59.99 E", true, ""},
  };
  for (const auto& c : cases) {
    bool usual = false;
    const TCoordinates read = ReadCoordinateText(c.Raw, usual);
    EXPECT_EQ(CoordinateDoubt(c.Raw, read, usual, c.Sixty), c.Doubt) << c.Raw;
  }
}
