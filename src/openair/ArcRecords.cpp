// The arc records' values: split at "=" or at commas, numbers and
// coordinates read as everywhere else, and every value checked as the
// record is read, so that what is drawn later cannot fail.
#include "openair/ArcRecords.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/Errors.h"
#include "base/Text.h"
#include "geodesy/Geodesics.h"
#include "numtext/NumText.h"
#include "openair/CoordinateText.h"

namespace {

// Radii and distances are checked against these, in nautical miles.
constexpr double LargestRadius = 1000;

// The parts of a value between commas, each trimmed.
std::vector<std::string_view> CommaParts(std::string_view value) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t comma = value.find(',');
    parts.push_back(Trimmed(value.substr(0, comma)));
    if (comma == std::string_view::npos) return parts;
    value.remove_prefix(comma + 1);
  }
}

// A DB value's two coordinates: its two parts at one comma; at three, the
// halves before and after the second, where each then holds a hemisphere
// letter of latitude and one of longitude (a comma inside each coordinate,
// as in ‹50:05:00 N, 010:00:00 E, 50:00:00 N, 010:05:00 E›).
bool HasHemispheres(std::string_view coordinate) {
  const auto has = [&](char a, char b) {
    return std::any_of(coordinate.begin(), coordinate.end(),
                       [&](char c) { return UpperCaseChar(c) == a || UpperCaseChar(c) == b; });
  };
  return has('N', 'S') && has('E', 'W');
}

std::vector<std::string_view> CoordinatePairs(std::string_view value) {
  std::vector<std::string_view> parts = CommaParts(value);
  if (parts.size() != 4) return parts;
  const std::size_t second = value.find(',', value.find(',') + 1);
  const std::string_view first = Trimmed(value.substr(0, second)), other = Trimmed(value.substr(second + 1));
  if (!HasHemispheres(first) || !HasHemispheres(other)) return parts;
  return {first, other};
}

// Each reader gives the reason a value cannot be used, or empty.
std::string ReadNumber(std::string_view text, double& number) {
  try {
    number = TextToNumber(text);
    return {};
  } catch (const EConvertError& error) {
    return FailureWords(error);
  }
}

std::string ReadCoordinate(std::string_view text, TGeographicPoint& point, bool& plain) {
  try {
    bool usual = false;
    const TCoordinates read = ReadCoordinateText(text, usual);
    point.Latitude = read.Latitude;
    point.Longitude = read.Longitude;
    plain = plain && usual && std::fabs(read.Longitude) <= 180;
  } catch (const Exception& error) {  // EConvertError or EOverflow
    return "not a coordinate (" + FailureWords(error) + ")";
  }
  if (!(std::fabs(point.Latitude) <= 90)) return "a latitude beyond 90 degrees";
  return {};
}

std::string CheckRadius(double nauticalMiles) {
  if (!(nauticalMiles > 0)) return "a radius or distance not above 0 NM";
  if (nauticalMiles > LargestRadius) return "a radius or distance above 1000 NM";
  return {};
}

std::string NeedCentre(const TArcSettings& settings) {
  return settings.Centre ? std::string() : "no centre (no V X= before it)";
}

}  // namespace

std::string_view VariableKey(std::string_view value) { return Trimmed(value.substr(0, value.find('='))); }

std::vector<std::string_view> ArcCoordinateTexts(std::string_view value, bool between) {
  if (between) {
    std::vector<std::string_view> parts = CoordinatePairs(value);
    if (parts.size() != 2) return {};
    return parts;
  }
  const std::size_t equals = value.find('=');
  if (equals == std::string_view::npos || !SameLetters(VariableKey(value), "X")) return {};
  return {Trimmed(value.substr(equals + 1))};
}

std::string ApplyVariable(std::string_view value, std::uint64_t line, TArcSettings& settings, bool& plain) {
  const std::size_t equals = value.find('=');
  if (equals == std::string_view::npos) return {};
  const std::string_view key = VariableKey(value);
  const std::string_view setting = Trimmed(value.substr(equals + 1));
  if (SameLetters(key, "X")) {
    if (setting.empty()) return "no coordinate after X=";
    TGeographicPoint centre;
    if (std::string reason = ReadCoordinate(setting, centre, plain); !reason.empty()) return reason;
    settings.Centre = centre;
    settings.CentreLine = line;
  } else if (SameLetters(key, "D")) {
    if (setting.empty() || (setting.front() != '+' && setting.front() != '-'))
      return "a direction that is neither + nor -";
    settings.Direction = setting.front() == '+' ? TDirection::Clockwise : TDirection::CounterClockwise;
  }
  return {};
}

std::string ReadCircle(std::string_view value, const TArcSettings& settings, TArc& arc, bool& /*plain*/) {
  const std::vector<std::string_view> parts = CommaParts(value);
  if (parts.size() != 1) return "not one value";
  double radius = 0;
  if (std::string reason = ReadNumber(parts[0], radius); !reason.empty()) return reason;
  if (std::string reason = CheckRadius(radius); !reason.empty()) return reason;
  if (std::string reason = NeedCentre(settings); !reason.empty()) return reason;
  arc.Shape = TCircle{*settings.Centre, radius * MetresPerNauticalMile};
  arc.CentreLine = settings.CentreLine;
  return {};
}

std::string ReadArc(std::string_view value, const TArcSettings& settings, TArc& arc, bool& /*plain*/) {
  const std::vector<std::string_view> parts = CommaParts(value);
  if (parts.size() != 3) return "not three values";
  double numbers[3];
  for (int i = 0; i < 3; ++i)
    if (std::string reason = ReadNumber(parts[i], numbers[i]); !reason.empty()) return reason;
  if (std::string reason = CheckRadius(numbers[0]); !reason.empty()) return reason;
  if (!std::isfinite(numbers[2] - numbers[1])) return "bearings too far apart to sweep";
  if (std::string reason = NeedCentre(settings); !reason.empty()) return reason;
  arc.Shape =
      TArcByBearings{*settings.Centre, numbers[0] * MetresPerNauticalMile, numbers[1], numbers[2], settings.Direction};
  arc.CentreLine = settings.CentreLine;
  return {};
}

std::string ReadArcBetween(std::string_view value, const TArcSettings& settings, TArc& arc, bool& plain) {
  const std::vector<std::string_view> parts = CoordinatePairs(value);
  if (parts.size() != 2) return "not two coordinates";
  TGeographicPoint ends[2];
  for (int i = 0; i < 2; ++i)
    if (std::string reason = ReadCoordinate(parts[i], ends[i], plain); !reason.empty()) return reason;
  if (std::string reason = NeedCentre(settings); !reason.empty()) return reason;
  TArcEnd arcEnds[2];
  for (int i = 0; i < 2; ++i) {
    const TDistanceAndBearing fromCentre = DistanceAndBearing(*settings.Centre, ends[i]);
    if (std::string reason = CheckRadius(fromCentre.Metres / MetresPerNauticalMile); !reason.empty()) return reason;
    arcEnds[i] = {ends[i], fromCentre.Metres, fromCentre.Bearing};
  }
  arc.Shape = TArcBetween{*settings.Centre, arcEnds[0], arcEnds[1], settings.Direction};
  arc.CentreLine = settings.CentreLine;
  return {};
}
