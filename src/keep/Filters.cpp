// The pilot's filters: classes by name, floors by height.
#include "keep/Filters.h"

#include "base/Text.h"
#include "limits/FloorCompare.h"
#include "openair/VerticalLimits.h"

std::optional<TVerticalLimit> ReadMaxFloor(std::string_view text) {
  using TKind = TVerticalLimit::TKind;
  TVerticalLimit limit = ReadVerticalLimit(text);
  const bool height = limit.Kind == TKind::FlightLevel || (limit.Kind == TKind::Height && !limit.AboveGround);
  if (!height || limit.Number.find_first_not_of("0.") == std::string::npos) return std::nullopt;
  return limit;
}

std::optional<TClassSet> ReadClassList(std::string_view text) {
  TClassSet names;
  for (;;) {
    const std::size_t comma = text.find(',');
    const std::string_view name = Trimmed(text.substr(0, comma));
    if (!name.empty()) names.insert(UpperCase(name));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (names.empty()) return std::nullopt;
  return names;
}

std::string_view TypeOf(const TAirspace& airspace) {
  if (airspace.Details != nullptr && !airspace.Details->Type.empty()) return airspace.Details->Type;
  return airspace.AirspaceClass;
}

namespace {

// Whether a list keeps a name: where it is given, the name is in it; and
// the name is not among the excluded ones. No name is in no list.
bool ListsKeep(std::string_view name, const std::optional<TClassSet>& only, const TClassSet& excluded) {
  const std::string upper = UpperCase(name);
  const bool named = !upper.empty();
  if (only && !(named && only->count(upper) > 0)) return false;
  return !(named && excluded.count(upper) > 0);
}

}  // namespace

bool LeftOut(const TAirspace& airspace, const TFilters& filters) {
  if (filters.MaxFloor && airspace.Details != nullptr && FloorAtOrAbove(airspace.Details->Floor, *filters.MaxFloor))
    return true;
  const std::string_view type = TypeOf(airspace);
  if (!ListsKeep(type, filters.Types, filters.ExcludedTypes)) return true;
  const bool typeKept = !type.empty() && filters.KeptTypes.count(UpperCase(type)) > 0;
  return !typeKept && !ListsKeep(airspace.AirspaceClass, filters.Classes, filters.ExcludedClasses);
}

std::vector<std::string> ClassesNotFound(const TFilters& filters, const TClassSet& seen) {
  std::vector<std::string> missing;
  if (filters.Classes)
    for (const std::string& name : *filters.Classes)
      if (seen.count(name) == 0) missing.push_back(name);
  return missing;
}
