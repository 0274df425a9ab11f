// The keep stage: the filters' lists and limit, and the airspaces they leave out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "base/Text.h"
#include "io/Streams.h"
#include "keep/Filters.h"
#include "openair/AirspaceReader.h"
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

// An airspace's type is its AY, or its class; the type filters and
// --keep-types, which keeps over the class filters but never over the others.
TEST(FiltersTest, TypesKeptAndLeftOut) {
  const auto airspace = [](const char* airspaceClass, TAirspaceDetails* details) {
    TAirspace a;
    a.AirspaceClass = airspaceClass;
    a.Details = details;
    return a;
  };
  TAirspaceDetails tmz, fir;
  tmz.Type = "tmz";
  fir.Floor = ReadVerticalLimit("FL100");
  TFilters glider;
  glider.ExcludedClasses = *ReadClassList("FIR,E");
  glider.KeptTypes = *ReadClassList("TMZ,RMZ");
  const struct {
    TAirspace Airspace;
    bool ByGlider, ByTypes;
  } cases[] = {
      {airspace("E", &tmz), false, false},   // AY TMZ in class E: kept over the class
      {airspace("E", nullptr), true, true},  // class E, no type: its type is E
      {airspace("RMZ", nullptr), false, false}, {airspace("D", nullptr), false, true},
      {airspace("FIR", &fir), true, true},
  };
  TFilters types;
  types.Types = *ReadClassList("TMZ,RMZ");
  for (const auto& c : cases) {
    EXPECT_EQ(LeftOut(c.Airspace, glider), c.ByGlider) << c.Airspace.AirspaceClass;
    EXPECT_EQ(LeftOut(c.Airspace, types), c.ByTypes) << c.Airspace.AirspaceClass;
  }
  glider.MaxFloor = ReadMaxFloor("FL50");
  TAirspaceDetails highTmz = tmz;
  highTmz.Floor = ReadVerticalLimit("FL65");
  EXPECT_TRUE(LeftOut(airspace("E", &highTmz), glider));  // the floor filter still holds
  glider.ExcludedTypes = {"TMZ"};
  EXPECT_TRUE(LeftOut(airspace("E", &tmz), glider));
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

// The README's recipe for a glider pilot on the French file of 2026: every
// TMZ, RMZ and ATZ kept, every other airspace of class E left out.
TEST(FiltersTest, GliderRecipeOnARealFile) {
  const std::filesystem::path path = std::filesystem::path(TARNEL_SOURCE_DIR) / "../shared/testdata/france-2026-04.txt";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no real test data beside the project (" << path << ")";
  TFilters recipe;
  recipe.MaxFloor = ReadMaxFloor("FL100");
  recipe.ExcludedClasses = *ReadClassList("FIR,E");
  recipe.KeptTypes = *ReadClassList("TMZ,RMZ,ATZ");
  std::ifstream file(path, std::ios::binary);
  TMemoryStream in(std::string(std::istreambuf_iterator<char>(file), {}));
  const TAirspaceList airspaces = ParseAirspaces(in, {.Limits = true});
  std::map<std::string, int> kept;  // by type
  for (const TAirspace& airspace : airspaces) {
    const std::string type = UpperCase(TypeOf(airspace));
    const bool zone = type == "TMZ" || type == "RMZ" || type == "ATZ";
    if (zone) {
      EXPECT_FALSE(LeftOut(airspace, recipe)) << airspace.Name;
    } else if (UpperCase(airspace.AirspaceClass) == "E") {
      EXPECT_TRUE(LeftOut(airspace, recipe)) << airspace.Name;
    }
    if (!LeftOut(airspace, recipe)) ++kept[type];
  }
  EXPECT_EQ(kept["TMZ"], 9);
  EXPECT_EQ(kept["RMZ"], 22);
  EXPECT_EQ(kept["ATZ"], 0);  // none in this file
}

}  // namespace
