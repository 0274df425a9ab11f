// The keep stage: the pilot's filters, a rule over complete airspaces that
// leaves some out before they are kept.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

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

struct TFilters {
  std::optional<TVerticalLimit> MaxFloor = {};  // --max-floor
  std::optional<TClassSet> Classes = {};        // --classes: only these
  TClassSet ExcludedClasses = {};               // --exclude-classes
  std::optional<TClassSet> Types = {};          // --types: only these
  TClassSet ExcludedTypes = {};                 // --exclude-types
  TClassSet KeptTypes = {};                     // --keep-types: whatever the class filters say
  bool Any() const {
    return MaxFloor || Classes || !ExcludedClasses.empty() || Types || !ExcludedTypes.empty() || !KeptTypes.empty();
  }
  // Whether the floors must be read for them.
  bool NeedLimits() const { return MaxFloor.has_value(); }
};

// An airspace's type: its AY, or where it has none its class (files without
// AY write CTR, TMZ, RMZ in AC).
std::string_view TypeOf(const TAirspace& airspace);

// Whether the filters leave the airspace out. It is kept where the floor
// filter keeps it (no floor at or above MaxFloor), and the type filters do
// (its type among Types where given, and not among ExcludedTypes), and
// either the class filters do (its class among Classes where given, and not
// among ExcludedClasses) or its type is among KeptTypes. Names compare
// without regard to case; an airspace with no class or type matches no name.
bool LeftOut(const TAirspace& airspace, const TFilters& filters);

// The names of --classes that none of the classes seen (upper-cased) has.
std::vector<std::string> ClassesNotFound(const TFilters& filters, const TClassSet& seen);
