// Arcs and circles as points: properties rather than formulas. Every point
// lies at its radius from the centre (by the inverse problem, before any
// rounding), bearings step in the set direction by at most 5 degrees, DB's
// ends are its own points.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
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
    AppendCircle(c.Centre, c.RadiusNm * MetresPerNauticalMile, 1, points);
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
      AppendArc(c.Centre, metres, arc.First, arc.Last, arc.Direction, 1, points);
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
      AppendArcBetween(c.Centre, start, end, fromCentre, direction, 1, points);
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
  AppendArcBetween(centre, point, point, fromCentre, TDirection::Clockwise, 1, same);
  EXPECT_EQ(same.size(), 2u);  // a sweep of 0: both ends, nothing between
}

}  // namespace

// k against 1 - cos(2.5°/k) <= t/r by libm, away from the ties where the
// last bit decides; and the point counts that follow from it.
TEST(ArcTest, StepsAreDividedSoThatChordsStayWithinTheTolerance) {
  const auto least = [](double metres, double tolerance) {
    int k = 1;
    while (k < MostStepDivisions && 1 - std::cos(2.5 / k * std::numbers::pi / 180) > tolerance / metres) ++k;
    return k;
  };
  const struct {
    double Metres, Tolerance;
    int K;
  } rows[] = {
      {10506, 10, 1},        // 5.67 NM: the largest radius of 5-degree steps at 10 m
      {10508, 10, 2},        // just beyond it
      {16668, 10, 2},        // 9 NM, the median radius of published arcs
      {55560, 10, 3},        // 30 NM
      {685240, 10, 9},       // 370 NM
      {1852000, 0.01, 420},  // 1000 NM at the least tolerance
      {1852000, 1000, 2},   {0.5, 0.01, 1},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(StepDivisions(row.Metres, row.Tolerance), row.K) << row.Metres << " " << row.Tolerance;
    EXPECT_EQ(least(row.Metres, row.Tolerance), row.K) << row.Metres << " " << row.Tolerance;
  }
  for (double metres = 100; metres < 1852000; metres *= 1.0137) {
    for (const double tolerance : {0.01, 0.5, 10.0, 1000.0}) {
      const int k = StepDivisions(metres, tolerance);
      const double ratio = tolerance / metres;
      if (std::fabs(1 - std::cos(2.5 / k * std::numbers::pi / 180) - ratio) > 1e-9 * ratio &&
          (k == 1 || std::fabs(1 - std::cos(2.5 / (k - 1) * std::numbers::pi / 180) - ratio) > 1e-9 * ratio)) {
        ASSERT_EQ(k, least(metres, tolerance)) << metres << " " << tolerance;
      }
    }
  }
}

TEST(ArcTest, FinerStepsGiveMorePoints) {
  const TGeographicPoint centre{45, 6};
  const double metres = 30 * MetresPerNauticalMile;
  for (const int k : {2, 3, 7}) {
    std::vector<TGeographicPoint> circle;
    AppendCircle(centre, metres, k, circle);
    ASSERT_EQ(circle.size(), 72u * static_cast<unsigned>(k));
    ExpectOnCircle(centre, circle, metres);
    EXPECT_NEAR(DistanceAndBearing(centre, circle[1]).Bearing, 5.0 / k, 1e-6);
    std::vector<TGeographicPoint> arc;
    AppendArc(centre, metres, 10, 100.5, TDirection::Clockwise, k, arc);
    EXPECT_EQ(arc.size(), static_cast<std::size_t>(std::ceil(90.5 * k / 5)) + 1);
  }
}
