// Pins: inside their border and as far from it as a fine grid finds, within
// the search's precision; every real airspace's pin inside its border.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <vector>

#include "geodesy/Draw.h"
#include "geodesy/Pins.h"
#include "io/Streams.h"
#include "model/AirspaceList.h"
#include "openair/AirspaceReader.h"

namespace {

struct TXY {
  double X, Y;
};

// The border in the search's plane (x = lon·cos(lat0), longitudes
// unwrapped), as the test works it out on its own.
std::vector<TXY> PlaneOf(const std::vector<TGeographicPoint>& border, double& scale) {
  double south = 90, north = -90;
  for (const TGeographicPoint& p : border) south = std::min(south, p.Latitude), north = std::max(north, p.Latitude);
  scale = std::cos((south + north) / 2 * std::numbers::pi / 180);
  std::vector<TXY> plane;
  double before = border.front().Longitude;
  for (const TGeographicPoint& p : border) {
    double lon = p.Longitude;
    while (lon - before > 180) lon -= 360;
    while (lon - before < -180) lon += 360;
    plane.push_back({lon * scale, p.Latitude});
    before = lon;
  }
  return plane;
}

// Distance to the nearest edge, negative outside (even-odd).
double SignedDistance(TXY p, const std::vector<TXY>& ring) {
  bool inside = false;
  double least = 1e300;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const TXY a = ring[i], b = ring[j];
    if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
    const double dx = b.X - a.X, dy = b.Y - a.Y, length = dx * dx + dy * dy;
    const double t = length == 0 ? 0 : std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length, 0.0, 1.0);
    least = std::min(least, std::hypot(p.X - a.X - t * dx, p.Y - a.Y - t * dy));
  }
  return inside ? least : -least;
}

double PinDistance(const std::vector<TGeographicPoint>& border, const TGeographicPoint& pin) {
  double scale = 1;
  const std::vector<TXY> ring = PlaneOf(border, scale);
  double lon = pin.Longitude;
  while (lon - border.front().Longitude > 180) lon -= 360;
  while (lon - border.front().Longitude < -180) lon += 360;
  return SignedDistance({lon * scale, pin.Latitude}, ring);
}

std::vector<TGeographicPoint> LonLat(std::initializer_list<std::pair<double, double>> points) {
  std::vector<TGeographicPoint> border;
  for (const auto& [lon, lat] : points) border.emplace_back(lat, lon);
  return border;
}

TEST(PinsTest, ThePinIsAsFarInsideAsAFineGridFinds) {
  const std::vector<TGeographicPoint> shapes[] = {
      LonLat({{10, 50}, {11, 50}, {11, 51}, {10, 51}}),                                      // a square
      LonLat({{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 4}, {0, 4}}),                              // an L
      LonLat({{0, 0}, {10, 0}, {10, 0.02}, {0, 0.02}}),                                      // a sliver
      LonLat({{179, -1}, {-179, -1}, {-179, 1}, {179, 1}}),                                  // across 180
      LonLat({{0, 0}, {2, 0}, {2, 2}, {1.1, 2}, {1.1, 0.5}, {0.9, 0.5}, {0.9, 2}, {0, 2}}),  // a U
  };
  for (const auto& shape : shapes) {
    const TGeographicPoint pin = PoleOfInaccessibility(shape);
    double scale = 1;
    const std::vector<TXY> ring = PlaneOf(shape, scale);
    double west = 1e300, east = -1e300, south = 1e300, north = -1e300;
    for (const TXY& p : ring)
      west = std::min(west, p.X), east = std::max(east, p.X), south = std::min(south, p.Y),
      north = std::max(north, p.Y);
    double best = 0;
    constexpr int Steps = 300;
    for (int i = 0; i <= Steps; ++i)
      for (int j = 0; j <= Steps; ++j)
        best = std::max(best,
                        SignedDistance({west + (east - west) * i / Steps, south + (north - south) * j / Steps}, ring));
    const double precision = std::max(east - west, north - south) * PinPrecisionShare;
    const double found = PinDistance(shape, pin);
    EXPECT_GT(found, 0) << pin.Latitude << " " << pin.Longitude;
    EXPECT_GE(found, best - precision * 1.001) << pin.Latitude << " " << pin.Longitude;
    EXPECT_LE(std::fabs(pin.Longitude), 180);
  }
}

TEST(PinsTest, EveryRealAirspacePinLiesInsideItsBorder) {
  const std::filesystem::path testData = std::filesystem::path(TARNEL_SOURCE_DIR) / "../shared/testdata";
  if (!std::filesystem::exists(testData)) GTEST_SKIP() << "no real test data beside the project (" << testData << ")";
  for (const char* file : {"australia-daa.txt", "france-2011-04.txt", "france-2026-04.txt"}) {
    std::ifstream in(testData / file, std::ios::binary);
    TMemoryStream input({std::istreambuf_iterator<char>(in), {}});
    TAirspaceReader reader(input, {.Arcs = true});
    TDrawer drawer({.Pins = true});
    std::size_t pinned = 0;
    while (TAirspaceDraft* draft = reader.Next()) {
      const TDrawnAirspace drawn = drawer.Draw(draft->Airspace);
      if (drawn.Border().size() < 3 || draft->Airspace.PinLine != 0) continue;
      const std::vector<TGeographicPoint> border(drawn.Border().begin(), drawn.Border().end());
      double scale = 1, twiceArea = 0;
      const std::vector<TXY> ring = PlaneOf(border, scale);
      for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        twiceArea += ring[j].X * ring[i].Y - ring[i].X * ring[j].Y;
      // A line out and back has no inside: Australia's D738, and France's
      // D192E of 2011, whose border retraces every edge it draws.
      if (std::fabs(twiceArea) < 1e-12) continue;
      ASSERT_GT(PinDistance(border, drawn.Pin()), 0) << file << ": " << draft->Airspace.Name;
      ++pinned;
    }
    EXPECT_GT(pinned, 600u) << file;
  }
}

}  // namespace
