// The limits' rules: a floor against a height, exactly, and the limits'
// text after a name.
#include <gtest/gtest.h>

#include "limits/FloorCompare.h"
#include "limits/LimitsText.h"
#include "openair/VerticalLimits.h"

namespace {

TEST(FloorCompareTest, FloorsAgainstTheLimitExactly) {
  const struct {
    const char *Floor, *Limit;
    bool AtOrAbove;
  } cases[] = {
      {"10000ft", "FL100", true},
      {"9999ft", "FL100", false},
      {"9999.9999ft", "10000", false},
      {"FL100", "10000ft", true},
      {"FL99", "10000ft", false},
      {"3048m", "10000ft", true},  // 0.3048 exactly
      {"3047.9999m", "10000ft", false},
      {"10000ft", "3048m", true},
      {"9999ft", "3048m", false},
      {"3048.0001m", "FL100", true},
      {"10000ft AGL", "FL100", true},  // at least its height above sea level
      {"9999ft AGL", "FL100", false},
      {"GND", "1ft", false},
      {"UNL", "FL999", true},
      {"NOTAM", "1ft", false},
      {"", "1ft", false},
      {"1500m", "1500m", true},
      {"00.5m", "0.5m", true},
      {"0.4999m", "0.5m", false},
      {"1000 MSL", "1000ft", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloorAtOrAbove(ReadVerticalLimit(c.Floor), ReadVerticalLimit(c.Limit)), c.AtOrAbove)
        << c.Floor << " against " << c.Limit;
  }
}

// A floor against its own ceiling: only where both read and share a reference.
TEST(FloorCompareTest, FloorAgainstItsCeiling) {
  const struct {
    const char *Floor, *Ceiling;
    bool AtOrAbove;
  } cases[] = {
      {"3000ft", "2000ft", true},  {"FL195", "1700ft", true},      {"2000ft", "2000ft", true},
      {"1999ft", "2000ft", false}, {"610m", "2000ft", true},       {"609m", "2000ft", false},
      {"GND", "UNL", false},       {"UNL", "UNL", true},           {"UNL", "FL100", true},
      {"FL100", "UNL", false},     {"GND", "GND", true},           {"500ft AGL", "GND", true},
      {"GND", "500ft AGL", false}, {"FL100", "5000ft AGL", false}, {"1000ft AGL", "500ft AGL", true},
      {"NOTAM", "1000ft", false},  {"1000ft", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloorAtOrAboveCeiling(ReadVerticalLimit(c.Floor), ReadVerticalLimit(c.Ceiling)), c.AtOrAbove)
        << c.Floor << " against " << c.Ceiling;
  }
}

TEST(LimitsTextTest, FloorAndCeiling) {
  const TVerticalLimit ground = ReadVerticalLimit("GND"), level = ReadVerticalLimit("FL65"), none;
  EXPECT_EQ(LimitsText(false, ground, level), " GND-FL65");
  EXPECT_EQ(LimitsText(false, none, level), " ?-FL65");
  EXPECT_EQ(LimitsText(false, ground, none), " GND-?");
  EXPECT_EQ(LimitsText(false, none, none), "");
  EXPECT_EQ(LimitsText(true, ground, level), "GND-FL65");
}

}  // namespace
