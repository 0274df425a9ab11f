// The keep stage: the filters' lists and limit, and the airspaces they leave out.
#include <gtest/gtest.h>

#include <string>

#include "keep/Filters.h"
#include "openair/VerticalLimits.h"

namespace {

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

// --max-floor: a height above sea level and above 0; an airspace is left out
// by its floor where it has one at or above it, never for a floor not read.
TEST(FiltersTest, MaxFloorLeavesOutByTheFloorRead) {
  for (const char* invalid : {"GND", "UNL", "0ft", "0.0m", "FL0", "2000ft AGL", "x", ""})
    EXPECT_FALSE(ReadMaxFloor(invalid).has_value()) << invalid;
  TFilters filters;
  filters.MaxFloor = ReadMaxFloor("FL100");
  ASSERT_TRUE(filters.MaxFloor.has_value());
  TAirspaceDetails high, low;
  high.Floor = ReadVerticalLimit("FL100");
  low.Floor = ReadVerticalLimit("9999ft");
  TAirspace airspace;
  EXPECT_FALSE(LeftOut(airspace, filters));
  airspace.Details = &high;
  EXPECT_TRUE(LeftOut(airspace, filters));
  airspace.Details = &low;
  EXPECT_FALSE(LeftOut(airspace, filters));
}

}  // namespace
