// What pilots ask of the airspaces written: the vertical limits in the name,
// and the filters that leave airspaces out.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "model/Airspace.h"
#include "model/VerticalLimit.h"

// --max-floor's LIMIT: a limit above sea level and above 0 (FL100, 3000ft,
// 3000, 1500m); nothing for any other text.
std::optional<TVerticalLimit> ReadMaxFloor(std::string_view text);

// --classes' and --exclude-classes' LIST: names between commas, blanks
// around them ignored, upper-cased; empty names ignored. Nothing where the
// list holds no name.
using TClassSet = std::set<std::string, std::less<>>;
std::optional<TClassSet> ReadClassList(std::string_view text);

// Whether a floor lies at or above the limit, in feet, exactly: a flight
// level n as 100 n ft, metres as 1/0.3048 ft; a floor above the ground as
// at least its height above sea level. A floor that is missing or cannot be
// read is below (the airspace stays on the map); UNL is above.
bool FloorAtOrAbove(const TVerticalLimit& floor, const TVerticalLimit& limit);

struct TFilters {
  std::optional<TVerticalLimit> MaxFloor = {};  // --max-floor
  std::optional<TClassSet> Classes = {};        // --classes: only these
  TClassSet ExcludedClasses = {};               // --exclude-classes
  bool Any() const { return MaxFloor || Classes || !ExcludedClasses.empty(); }
};

// Whether the filters leave the airspace out: its class (as written, without
// regard to case) not among Classes, or among ExcludedClasses, or its floor
// at or above MaxFloor. An airspace with no class matches no name.
bool LeftOut(const TAirspace& airspace, const TFilters& filters);

// What follows the name: its limits, ‹ FLOOR-CEILING›, a missing one "?";
// nothing where both are missing; no blank before them where the name is
// empty.
std::string LimitsAfterName(bool nameEmpty, const TVerticalLimit& floor, const TVerticalLimit& ceiling);
