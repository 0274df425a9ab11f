// The pilot's filters at their boundaries, and the limits in the name.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "driver/Filters.h"
#include "numtext/ScaledDecimals.h"
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
  EXPECT_EQ(*only.Classes, (TClassSet{"R", "Q"}));
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
  EXPECT_EQ(LimitsAfterName(false, ground, level), " GND-FL65");
  EXPECT_EQ(LimitsAfterName(false, none, level), " ?-FL65");
  EXPECT_EQ(LimitsAfterName(false, ground, none), " GND-?");
  EXPECT_EQ(LimitsAfterName(false, none, none), "");
  EXPECT_EQ(LimitsAfterName(true, ground, level), "GND-FL65");
}

// The whole-number fast path against the digits, on random numbers and
// factors, fractions and long numbers falling to the digits.
TEST(FiltersTest, ScaledComparisonsAgreeWithTheDigits) {
  std::mt19937_64 random(26);
  const std::uint32_t factors[] = {3048, 10000, 304800, 1, 1000000000};
  for (int i = 0; i < 100000; ++i) {
    const auto number = [&] {
      std::string text = std::to_string(random() % (i % 3 == 0 ? 1000000000000ULL : 100000));
      if (i % 7 == 0) text += "." + std::to_string(random() % 1000);
      return text;
    };
    const std::string a = number(), b = i % 5 == 0 ? a : number();
    const std::uint32_t fa = factors[random() % 5], fb = factors[random() % 5];
    ASSERT_EQ(CompareScaled(a, fa, b, fb), CompareScaledDigits(a, fa, b, fb))
        << a << " " << fa << " " << b << " " << fb;
  }
  EXPECT_EQ(CompareScaledDigits("3048", 10000, "10000", 3048), 0);
  EXPECT_EQ(CompareScaledDigits("0.5", 2, "1", 1), 0);
  EXPECT_EQ(CompareScaledDigits("999999999999999999999", 3, "2999999999999999999996", 1), 1);
}

}  // namespace
