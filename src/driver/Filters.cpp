// The pilot's filters and the limits in the name.
#include "driver/Filters.h"

#include "base/UpperCase.h"
#include "numtext/ScaledDecimals.h"
#include "openair/VerticalLimits.h"

namespace {

using TKind = TVerticalLimit::TKind;

// Heights are compared in tenths of a millimetre, where a foot (0.3048 m
// exactly) and a metre are both whole: 3048 and 10000.
constexpr std::uint32_t TenthMillimetresPerFoot = 3048;
constexpr std::uint32_t TenthMillimetresPerMetre = 10000;
constexpr std::uint32_t TenthMillimetresPerFlightLevel = 100 * TenthMillimetresPerFoot;

// A flight level or height as a number and its factor to tenths of a millimetre.
std::uint32_t FactorOf(const TVerticalLimit& limit) {
  if (limit.Kind == TKind::FlightLevel) return TenthMillimetresPerFlightLevel;
  return limit.Metres ? TenthMillimetresPerMetre : TenthMillimetresPerFoot;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperCaseChar(c);
  return upper;
}

}  // namespace

std::optional<TVerticalLimit> ReadMaxFloor(std::string_view text) {
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
    if (!name.empty()) names.insert(Upper(name));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (names.empty()) return std::nullopt;
  return names;
}

bool FloorAtOrAbove(const TVerticalLimit& floor, const TVerticalLimit& limit) {
  switch (floor.Kind) {
    case TKind::None:
    case TKind::Unreadable:
    case TKind::Ground:  // 0 above the ground: at least 0, and the limit is above 0
      return false;
    case TKind::Unlimited: return true;
    case TKind::FlightLevel:
    case TKind::Height:  // above the ground, at least its height above sea level
      return CompareScaled(floor.Number, FactorOf(floor), limit.Number, FactorOf(limit)) >= 0;
  }
  return false;
}

bool LeftOut(const TAirspace& airspace, const TFilters& filters) {
  const std::string airspaceClass = Upper(airspace.AirspaceClass);
  const bool named = !airspaceClass.empty();
  if (filters.Classes && !(named && filters.Classes->count(airspaceClass) > 0)) return true;
  if (named && filters.ExcludedClasses.count(airspaceClass) > 0) return true;
  return filters.MaxFloor && FloorAtOrAbove(airspace.Floor, *filters.MaxFloor);
}

std::string LimitsAfterName(bool nameEmpty, const TVerticalLimit& floor, const TVerticalLimit& ceiling) {
  if (floor.Kind == TKind::None && ceiling.Kind == TKind::None) return {};
  const auto text = [](const TVerticalLimit& limit) -> std::string_view {
    if (limit.Kind == TKind::None) return "?";
    return limit.Text;  // not through ?:, whose std::string would be a temporary
  };
  std::string limits(nameEmpty ? "" : " ");
  return limits.append(text(floor)).append("-").append(text(ceiling));
}
