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

bool LeftOut(const TAirspace& airspace, const TFilters& filters) {
  const std::string airspaceClass = UpperCase(airspace.AirspaceClass);
  const bool named = !airspaceClass.empty();
  if (filters.Classes && !(named && filters.Classes->count(airspaceClass) > 0)) return true;
  if (named && filters.ExcludedClasses.count(airspaceClass) > 0) return true;
  return filters.MaxFloor && airspace.Details != nullptr && FloorAtOrAbove(airspace.Details->Floor, *filters.MaxFloor);
}

std::vector<std::string> ClassesNotFound(const TFilters& filters, const TClassSet& seen) {
  std::vector<std::string> missing;
  if (filters.Classes)
    for (const std::string& name : *filters.Classes)
      if (seen.count(name) == 0) missing.push_back(name);
  return missing;
}
