// The arc records' values: split at "=" or at commas, numbers and
// coordinates read as everywhere else, and every value checked before a
// point is drawn, so that a record that cannot be used draws nothing.
#include "openair/ArcRecords.h"

#include <cmath>

#include "base/Errors.h"
#include "base/UpperCase.h"
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
    const TCoordinates coordinates = ReadCoordinateText(text);
    point.Latitude = coordinates.Latitude;
    point.Longitude = coordinates.Longitude;
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

std::string DrawCircle(std::string_view value, const TArcSettings& settings, std::vector<TGeographicPoint>& border) {
  const std::vector<std::string_view> parts = CommaParts(value);
  if (parts.size() != 1) return "not one value";
  double radius = 0;
  if (std::string reason = ReadNumber(parts[0], radius); !reason.empty()) return reason;
  if (std::string reason = CheckRadius(radius); !reason.empty()) return reason;
  if (std::string reason = NeedCentre(settings); !reason.empty()) return reason;
  AppendCircle(*settings.Centre, radius * MetresPerNauticalMile, border);
  return {};
}

std::string DrawArc(std::string_view value, const TArcSettings& settings, std::vector<TGeographicPoint>& border) {
  const std::vector<std::string_view> parts = CommaParts(value);
  if (parts.size() != 3) return "not three values";
  double numbers[3];
  for (int i = 0; i < 3; ++i)
    if (std::string reason = ReadNumber(parts[i], numbers[i]); !reason.empty()) return reason;
  if (std::string reason = CheckRadius(numbers[0]); !reason.empty()) return reason;
  if (!std::isfinite(numbers[2] - numbers[1])) return "bearings too far apart to sweep";
  if (std::string reason = NeedCentre(settings); !reason.empty()) return reason;
  AppendArc(*settings.Centre, numbers[0] * MetresPerNauticalMile, numbers[1], numbers[2], settings.Direction, border);
  return {};
}

std::string DrawArcBetween(std::string_view value, const TArcSettings& settings,
                           std::vector<TGeographicPoint>& border) {
  const std::vector<std::string_view> parts = CommaParts(value);
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
  AppendArcBetween(*settings.Centre, ends[0], ends[1], fromCentre, settings.Direction, border);
  return {};
}
