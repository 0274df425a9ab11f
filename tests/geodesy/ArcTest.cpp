// Arcs and circles as points: properties rather than formulas. Every point
// lies at its radius from the centre (by the inverse problem, before any
// rounding), bearings step in the set direction by at most 5 degrees, DB's
// ends are its own points.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geodesy/Arcs.h"

namespace {

constexpr double Metre = 1;

// The bearing from one step to the next, in the direction, in [0, 360).
double StepBetween(double from, double to, TDirection direction) { return Sweep(from, to, direction); }

struct TArcCase {
  TGeographicPoint Centre;
  double RadiusNm;
};

const TArcCase Cases[] = {
    {{50.5, 14.25}, 0.05}, {{-33.9, 151.2}, 5}, {{45.123, 6.005}, 50},
    {{0, 179.99}, 20},     {{89, -45}, 30},     {{-60, 0}, 1000},
};

void ExpectOnCircle(const TGeographicPoint& centre, const std::vector<TGeographicPoint>& points, double metres) {
  for (const TGeographicPoint& point : points)
    ASSERT_NEAR(DistanceAndBearing(centre, point).Metres, metres, Metre) << point.Latitude << " " << point.Longitude;
}

void ExpectSteps(const TGeographicPoint& centre, const std::vector<TGeographicPoint>& points, TDirection direction,
                 double sweep) {
  double swept = 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const double step = StepBetween(DistanceAndBearing(centre, points[i - 1]).Bearing,
                                    DistanceAndBearing(centre, points[i]).Bearing, direction);
    ASSERT_GT(step, 0) << i;
    ASSERT_LE(step, StepDegrees + 1e-6) << i;
    swept += step;
  }
  EXPECT_NEAR(swept, sweep, 1e-6);
}

TEST(ArcTest, CirclesHaveSeventyTwoPointsAtTheirRadius) {
  for (const TArcCase& c : Cases) {
    std::vector<TGeographicPoint> points;
    AppendCircle(c.Centre, c.RadiusNm * MetresPerNauticalMile, points);
    ASSERT_EQ(points.size(), 72u);
    ExpectOnCircle(c.Centre, points, c.RadiusNm * MetresPerNauticalMile);
    ExpectSteps(c.Centre, points, TDirection::Clockwise, 355);
  }
}

TEST(ArcTest, ArcsSweepInTheirDirection) {
  const struct {
    double First, Last;
    TDirection Direction;
    double Sweep;
    std::size_t Points;
  } arcs[] = {
      {0, 90, TDirection::Clockwise, 90, 19},
      {0, 90, TDirection::CounterClockwise, 270, 55},
      {350, 10, TDirection::Clockwise, 20, 5},
      {10, 350, TDirection::CounterClockwise, 20, 5},
      {30, 31, TDirection::Clockwise, 1, 2},
      {0, 360, TDirection::Clockwise, 0, 1},
      {-90, 90, TDirection::CounterClockwise, 180, 37},
      {45, 45, TDirection::CounterClockwise, 0, 1},
      {12.5, 100.25, TDirection::Clockwise, 87.75, 19},
  };
  for (const TArcCase& c : Cases)
    for (const auto& arc : arcs) {
      std::vector<TGeographicPoint> points;
      const double metres = c.RadiusNm * MetresPerNauticalMile;
      AppendArc(c.Centre, metres, arc.First, arc.Last, arc.Direction, points);
      ASSERT_EQ(points.size(), arc.Points) << arc.First << " " << arc.Last;
      ExpectOnCircle(c.Centre, points, metres);
      ExpectSteps(c.Centre, points, arc.Direction, arc.Sweep);
      EXPECT_NEAR(DistanceAndBearing(c.Centre, points.front()).Bearing, std::remainder(arc.First, 360), 1e-6);
    }
}

TEST(ArcTest, ArcsBetweenTwoPointsKeepThemAsTheirEnds) {
  for (const TArcCase& c : Cases)
    for (const TDirection direction : {TDirection::Clockwise, TDirection::CounterClockwise}) {
      const double near = c.RadiusNm * MetresPerNauticalMile, far = near * 1.3;
      const TGeographicPoint start = PointAt(c.Centre, 20, near), end = PointAt(c.Centre, 110, far);
      std::vector<TGeographicPoint> points;
      const TDistanceAndBearing fromCentre[2] = {DistanceAndBearing(c.Centre, start),
                                                 DistanceAndBearing(c.Centre, end)};
      AppendArcBetween(c.Centre, start, end, fromCentre, direction, points);
      ASSERT_GE(points.size(), 2u);
      EXPECT_EQ(points.front().Latitude, start.Latitude);
      EXPECT_EQ(points.front().Longitude, start.Longitude);
      EXPECT_EQ(points.back().Latitude, end.Latitude);
      EXPECT_EQ(points.back().Longitude, end.Longitude);
      // About 90 or 270 degrees: the bearings the inverse problem gives.
      const double sweep =
          Sweep(DistanceAndBearing(c.Centre, start).Bearing, DistanceAndBearing(c.Centre, end).Bearing, direction);
      EXPECT_NEAR(sweep, direction == TDirection::Clockwise ? 90 : 270, 1e-6);
      EXPECT_EQ(points.size(), static_cast<std::size_t>(std::ceil(sweep / StepDegrees)) + 1);
      ExpectSteps(c.Centre, points, direction, sweep);
      for (std::size_t k = 1; k + 1 < points.size(); ++k)  // the distance goes evenly from the one to the other
        ASSERT_NEAR(DistanceAndBearing(c.Centre, points[k]).Metres,
                    near + (far - near) * static_cast<double>(k) / static_cast<double>(points.size() - 1), Metre);
    }
  std::vector<TGeographicPoint> same;
  const TGeographicPoint centre{50, 10}, point = PointAt(centre, 45, 9000);
  const TDistanceAndBearing fromCentre[2] = {DistanceAndBearing(centre, point), DistanceAndBearing(centre, point)};
  AppendArcBetween(centre, point, point, fromCentre, TDirection::Clockwise, same);
  EXPECT_EQ(same.size(), 2u);  // a sweep of 0: both ends, nothing between
}

}  // namespace
