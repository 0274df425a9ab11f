// The pilot's filters at their boundaries, and the limits in the name.
#include <gtest/gtest.h>

#include <string>

#include "driver/Filters.h"
#include "openair/VerticalLimits.h"

namespace {

TEST(FiltersTest, FloorsAgainstTheLimitExactly) {
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
    const std::optional<TVerticalLimit> limit = ReadMaxFloor(c.Limit);
    ASSERT_TRUE(limit.has_value()) << c.Limit;
    EXPECT_EQ(FloorAtOrAbove(ReadVerticalLimit(c.Floor), *limit), c.AtOrAbove) << c.Floor << " against " << c.Limit;
  }
  for (const char* invalid : {"GND", "UNL", "0ft", "0.0m", "FL0", "2000ft AGL", "x", ""})
    EXPECT_FALSE(ReadMaxFloor(invalid).has_value()) << invalid;
}

TEST(FiltersTest, ClassesKeptAndLeftOut) {
  const auto airspace = [](const char* airspaceClass) {
    TAirspace a;
    a.AirspaceClass = airspaceClass;
    return a;
  };
  TFilters only;
  only.Classes = ReadClassList(" r , q,,");
  ASSERT_TRUE(only.Classes.has_value());
  EXPECT_EQ(*only.Classes, (std::set<std::string>{"R", "Q"}));
  EXPECT_FALSE(LeftOut(airspace("r"), only));
  EXPECT_TRUE(LeftOut(airspace("P"), only));
  EXPECT_TRUE(LeftOut(airspace(""), only));  // no class matches no name
  TFilters except;
  except.ExcludedClasses = *ReadClassList("FIR");
  EXPECT_TRUE(LeftOut(airspace("fir"), except));
  EXPECT_FALSE(LeftOut(airspace(""), except));
  EXPECT_FALSE(ReadClassList(" , ,").has_value());
}

TEST(FiltersTest, LimitsAfterTheName) {
  const TVerticalLimit ground = ReadVerticalLimit("GND"), level = ReadVerticalLimit("FL65"), none;
  EXPECT_EQ(NameWithLimits("CTR X", ground, level), "CTR X GND-FL65");
  EXPECT_EQ(NameWithLimits("CTR X", none, level), "CTR X ?-FL65");
  EXPECT_EQ(NameWithLimits("CTR X", ground, none), "CTR X GND-?");
  EXPECT_EQ(NameWithLimits("CTR X", none, none), "CTR X");
  EXPECT_EQ(NameWithLimits("", ground, level), "GND-FL65");
}

}  // namespace
