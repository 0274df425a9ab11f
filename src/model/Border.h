// An airspace's border as its records gave it: points, and arcs and circles
// standing among them, each with the input line it came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "model/GeographicPoint.h"

// The way an arc turns around its centre: +1 clockwise, -1 counter-clockwise.
enum class TDirection : int { Clockwise = 1, CounterClockwise = -1 };

// Distances in metres (above 0), bearings in degrees clockwise from true
// north (any finite value).

// DC: a circle around the centre.
struct TCircle {
  TGeographicPoint Centre;
  double Metres = 0;
};
// DA: an arc at one distance around the centre, sweeping from bearing First
// to Last.
struct TArcByBearings {
  TGeographicPoint Centre;
  double Metres = 0;
  double First = 0;
  double Last = 0;
  TDirection Direction = TDirection::Clockwise;
};
// One end of a DB arc, with its distance and bearing from the centre.
struct TArcEnd {
  TGeographicPoint Point;
  double Metres = 0;
  double Bearing = 0;
};
// DB: an arc around the centre from one point to another, the distance going
// evenly from the one's to the other's.
struct TArcBetween {
  TGeographicPoint Centre;
  TArcEnd Start;
  TArcEnd End;
  TDirection Direction = TDirection::Clockwise;
};

// One arc or circle record, where it stands among the border's points.
struct TArc {
  std::variant<TCircle, TArcByBearings, TArcBetween> Shape;
  std::uint64_t Line = 0;        // the record's input line, counted from 1
  std::uint64_t CentreLine = 0;  // the line of the V X= that set its centre
  std::size_t Position = 0;      // the border's points before it
};

// A run of border points from consecutive input lines: the first point's
// index in the border, and its line.
struct TLineRun {
  std::size_t FirstPoint;
  std::uint64_t FirstLine;
};

// A border's points as views, valid while what they view is, with their
// lines: a first run from point 0 on FirstLine, and the runs after it, which
// most borders, of DP records on consecutive lines, do not have. Its arcs,
// read only with --arcs, are held with the airspace's details.
struct TBorderView {
  std::span<const TGeographicPoint> Points;
  std::uint64_t FirstLine = 0;
  std::span<const TLineRun> LaterLines = {};  // from each point that follows no point of the line before

  // The input line of the point at `index` (below Points.size()).
  std::uint64_t LineOfPoint(std::size_t index) const;
};

// A border being read. Points stand in one array, so that a border of DP
// records alone is as compact as its points; their lines in runs, one for a
// border of DP records on consecutive lines.
class TBorder {
public:
  std::vector<TGeographicPoint> Points;
  std::vector<TArc> Arcs;
  std::vector<TLineRun> Lines;

  void AddPoint(const TGeographicPoint& point, std::uint64_t line) {
    if (Lines.empty() || line != LastLine + 1) Lines.push_back({Points.size(), line});
    LastLine = line;
    Points.push_back(point);
  }
  // The arc after the points so far.
  void AddArc(TArc arc) {
    arc.Position = Points.size();
    Arcs.push_back(arc);
  }
  // The other border's records after these.
  void Append(const TBorder& other);
  void Clear() {
    Points.clear();
    Arcs.clear();
    Lines.clear();
  }
  TBorderView View() const {
    if (Lines.empty()) return {Points};
    return {Points, Lines.front().FirstLine, std::span<const TLineRun>(Lines).subspan(1)};
  }

private:
  std::uint64_t LastLine = 0;
};
