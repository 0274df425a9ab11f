// The arc records' values: split at "=" or at commas, numbers and
// coordinates read as everywhere else, and every value checked as the
// record is read, so that what is drawn later cannot fail.
#include "openair/ArcRecords.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/Errors.h"
#include "base/UpperCase.h"
#include "geodesy/Geodesics.h"
#include "numtext/NumText.h"
#include "openair/CoordinateText.h"

namespace {

// Radii and distances are checked against these, in nautical miles.
constexpr double LargestRadius = 1000;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

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
    return "not a number (" + error.Message() + ")";
  }
}

std::string ReadCoordinate(std::string_view text, TGeographicPoint& point) {
  try {
    point = ReadPoint(text);
  } catch (const Exception& error) {  // EConvertError or EOverflow
    return "not a coordinate (" + error.Message() + ")";
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

std::string ApplyVariable(std::string_view value, TArcSettings& settings) {
  const std::size_t equals = value.find('=');
  if (equals == std::string_view::npos) return {};
  std::string key;
  for (const char c : value.substr(0, equals))
    if (c != ' ') key += UpperCaseChar(c);
  const std::string_view setting = Trimmed(value.substr(equals + 1));
  if (key == "X") {
    if (setting.empty()) return "no coordinate after X=";
    TGeographicPoint centre;
    if (std::string reason = ReadCoordinate(setting, centre); !reason.empty()) return reason;
    settings.Centre = centre;
  } else if (key == "D") {
    if (setting.empty() || (setting.front() != '+' && setting.front() != '-'))
      return "a direction that is neither + nor -";
    settings.Direction = setting.front() == '+' ? TDirection::Clockwise : TDirection::CounterClockwise;
  }
  return {};
}

std::string ReadCircle(std::string_view value, const TArcSettings& settings, TArc& arc) {
  const std::vector<std::string_view> parts = CommaParts(value);
  if (parts.size() != 1) return "not one value";
  double radius = 0;
  if (std::string reason = ReadNumber(parts[0], radius); !reason.empty()) return reason;
  if (std::string reason = CheckRadius(radius); !reason.empty()) return reason;
  if (std::string reason = NeedCentre(settings); !reason.empty()) return reason;
  arc.Kind = TArc::TKind::Circle;
  arc.Centre = *settings.Centre;
  arc.Metres = radius * MetresPerNauticalMile;
  return {};
}

std::string ReadArc(std::string_view value, const TArcSettings& settings, TArc& arc) {
  const std::vector<std::string_view> parts = CommaParts(value);
  if (parts.size() != 3) return "not three values";
  double numbers[3];
  for (int i = 0; i < 3; ++i)
    if (std::string reason = ReadNumber(parts[i], numbers[i]); !reason.empty()) return reason;
  if (std::string reason = CheckRadius(numbers[0]); !reason.empty()) return reason;
  if (!std::isfinite(numbers[2] - numbers[1])) return "bearings too far apart to sweep";
  if (std::string reason = NeedCentre(settings); !reason.empty()) return reason;
  arc.Kind = TArc::TKind::Arc;
  arc.Direction = settings.Direction;
  arc.Centre = *settings.Centre;
  arc.Metres = numbers[0] * MetresPerNauticalMile;
  arc.First = numbers[1];
  arc.Last = numbers[2];
  return {};
}

std::string ReadArcBetween(std::string_view value, const TArcSettings& settings, TArc& arc) {
  const std::vector<std::string_view> parts = CoordinatePairs(value);
  if (parts.size() != 2) return "not two coordinates";
  TGeographicPoint ends[2];
  for (int i = 0; i < 2; ++i)
    if (std::string reason = ReadCoordinate(parts[i], ends[i]); !reason.empty()) return reason;
  if (std::string reason = NeedCentre(settings); !reason.empty()) return reason;
  TDistanceAndBearing fromCentre[2];
  for (int i = 0; i < 2; ++i) {
    fromCentre[i] = DistanceAndBearing(*settings.Centre, ends[i]);
    if (std::string reason = CheckRadius(fromCentre[i].Metres / MetresPerNauticalMile); !reason.empty()) return reason;
  }
  arc.Kind = TArc::TKind::ArcBetween;
  arc.Direction = settings.Direction;
  arc.Centre = *settings.Centre;
  arc.Start = ends[0];
  arc.Metres = fromCentre[0].Metres;
  arc.First = fromCentre[0].Bearing;
  arc.End = ends[1];
  arc.EndMetres = fromCentre[1].Metres;
  arc.Last = fromCentre[1].Bearing;
  return {};
}
