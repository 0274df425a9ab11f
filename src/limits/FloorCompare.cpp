// Heights compared in exact decimals, in a unit in which both feet and
// metres are whole.
#include "limits/FloorCompare.h"

#include <cstdint>

#include "numtext/ScaledDecimals.h"

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

}  // namespace

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

namespace {

bool Readable(const TVerticalLimit& limit) { return limit.Kind != TKind::None && limit.Kind != TKind::Unreadable; }
// GND is 0 above the ground; a flight level counts from the sea.
bool AboveGround(const TVerticalLimit& limit) { return limit.Kind == TKind::Ground || limit.AboveGround; }

}  // namespace

bool FloorAtOrAboveCeiling(const TVerticalLimit& floor, const TVerticalLimit& ceiling) {
  if (!Readable(floor) || !Readable(ceiling)) return false;
  if (ceiling.Kind == TKind::Unlimited) return floor.Kind == TKind::Unlimited;
  if (floor.Kind == TKind::Unlimited) return true;
  if (AboveGround(floor) != AboveGround(ceiling)) return false;  // no common reference
  if (ceiling.Kind == TKind::Ground) return true;
  if (floor.Kind == TKind::Ground) return false;  // a ceiling above the ground is above 0
  return FloorAtOrAbove(floor, ceiling);
}
