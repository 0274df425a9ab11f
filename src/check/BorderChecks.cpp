// The border checks, one function each.
#include "check/BorderChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <variant>

#include "geodesy/Geodesics.h"
#include "geodesy/Plane.h"

namespace {

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

void FindUnevenArcs(const TAirspace& airspace, std::vector<TFinding>& findings) {
  constexpr double Allowed = 0.02;  // of the larger distance
  for (const TArc& arc : airspace.Arcs()) {
    const auto* between = std::get_if<TArcBetween>(&arc.Shape);
    if (between == nullptr) continue;
    const double first = between->Start.Metres, last = between->End.Metres;
    if (std::fabs(first - last) <= Allowed * std::max(first, last)) continue;
    findings.push_back({arc.Line, "the DB's ends lie " + Fixed(first / MetresPerNauticalMile, 2) + " NM and " +
                                      Fixed(last / MetresPerNauticalMile, 2) +
                                      " NM from its centre, more than 2 % apart"});
  }
}

void FindZigzags(const TDrawnAirspace& airspace, std::vector<TFinding>& findings) {
  constexpr double Least = 1, Most = 200;  // metres: below, the same point; above, meant so
  const auto border = airspace.Border();
  const auto sources = airspace.Sources();
  const std::size_t count = border.size();
  if (count < 2) return;
  // Apart by more than half a degree in latitude, or in longitude below 89
  // degrees of latitude, two points lie more than 200 m apart (at 89 degrees
  // half a degree of longitude is 970 m): not worth a geodesic.
  constexpr double FarDegrees = 0.5, NearPole = 89;
  const auto far = [&](const TGeographicPoint& a, const TGeographicPoint& b) {
    if (std::fabs(a.Latitude - b.Latitude) > FarDegrees) return true;
    const bool nearPole = std::fabs(a.Latitude) > NearPole || std::fabs(b.Latitude) > NearPole;
    return !nearPole && std::fabs(std::remainder(a.Longitude - b.Longitude, 360.0)) > FarDegrees;
  };
  const auto tell = [&](std::size_t at, std::size_t beside, const char* which) {
    const TGeographicPoint &a = border[at], &b = border[beside];
    if ((a.Latitude == b.Latitude && a.Longitude == b.Longitude) || far(a, b)) return;
    const double metres = DistanceAndBearing(a, b).Metres;
    if (metres > Least && metres <= Most)
      findings.push_back({sources[at].Line, std::string("the arc's ") + which + " point lies " + Fixed(metres, 1) +
                                                " m from the border point beside it (a zigzag)"});
  };
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t before = (i + count - 1) % count;
    // An arc that starts where one ends: the gap is told once, at the end.
    if (sources[i].ArcStart && !sources[before].ArcEnd) tell(i, before, "first");
    if (sources[i].ArcEnd) tell(i, (i + 1) % count, "last");
  }
}

// The one value of the other sign, or the count where there is none.
std::size_t LoneSign(const std::vector<double>& values) {
  const auto positive = std::count_if(values.begin(), values.end(), [](double v) { return v > 0; });
  const auto negative = std::count_if(values.begin(), values.end(), [](double v) { return v < 0; });
  const auto total = static_cast<std::ptrdiff_t>(values.size());
  if (positive == 1 && negative == total - 1)
    return static_cast<std::size_t>(std::find_if(values.begin(), values.end(), [](double v) { return v > 0; }) -
                                    values.begin());
  if (negative == 1 && positive == total - 1)
    return static_cast<std::size_t>(std::find_if(values.begin(), values.end(), [](double v) { return v < 0; }) -
                                    values.begin());
  return values.size();
}

// The index of a value whose sign slipped, or the count where none did.
std::size_t SlippedSign(const std::vector<double>& values) {
  constexpr double Margin = 1;  // degrees
  constexpr std::size_t LeastOthers = 3;
  if (values.size() < LeastOthers + 1) return values.size();
  const std::size_t lone = LoneSign(values);
  if (lone == values.size() || std::fabs(values[lone]) <= Margin) return values.size();
  double least = INFINITY, most = -INFINITY;
  for (std::size_t i = 0; i < values.size(); ++i)
    if (i != lone) least = std::min(least, values[i]), most = std::max(most, values[i]);
  const double mirrored = -values[lone];
  return mirrored >= least - Margin && mirrored <= most + Margin ? lone : values.size();
}

void FindSlippedSigns(const TDrawnAirspace& airspace, std::vector<TFinding>& findings) {
  const std::vector<TPlanePoint> plane = UnwrappedPlane(airspace.Border());
  std::vector<double> latitudes, longitudes;
  for (const TPlanePoint& point : plane) {
    latitudes.push_back(point.Y);
    longitudes.push_back(point.X);
  }
  const auto tell = [&](const std::vector<double>& values, const char* name, const char* positive,
                        const char* negative) {
    const std::size_t slipped = SlippedSign(values);
    if (slipped == values.size()) return;
    const bool isPositive = values[slipped] > 0;
    findings.push_back({airspace.Sources()[slipped].Line, std::string(name) + " " + (isPositive ? positive : negative) +
                                                              " where every other point is " +
                                                              (isPositive ? negative : positive) + ": " +
                                                              (isPositive ? negative : positive) + " meant?"});
  };
  tell(latitudes, "latitude", "N", "S");
  tell(longitudes, "longitude", "E", "W");
}

}  // namespace

void FindBorderDoubts(const TDrawnAirspace& airspace, std::vector<TFinding>& findings) {
  FindUnevenArcs(airspace.Airspace(), findings);
  FindZigzags(airspace, findings);
  FindSlippedSigns(airspace, findings);
}
