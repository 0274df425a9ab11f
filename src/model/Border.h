// An airspace's border as its records gave it: points, and arcs and circles
// standing among them, each with the input line it came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "model/GeographicPoint.h"

// The way an arc turns around its centre: +1 clockwise, -1 counter-clockwise.
enum class TDirection : int { Clockwise = 1, CounterClockwise = -1 };

// One arc or circle record, with the centre and direction in force where it
// stood. Distances in metres (above 0), bearings in degrees clockwise from
// true north (any finite value; an arc sweeps from First to Last).
struct TArc {
  enum class TKind : std::uint8_t {
    Circle,      // Metres around the centre
    Arc,         // Metres around the centre, from bearing First to Last
    ArcBetween,  // from Start (Metres, First from the centre) to End (EndMetres, Last)
  };
  TKind Kind = TKind::Circle;
  TDirection Direction = TDirection::Clockwise;
  TGeographicPoint Centre;
  double Metres = 0;
  double First = 0;
  double Last = 0;
  double EndMetres = 0;
  TGeographicPoint Start;
  TGeographicPoint End;
  std::uint64_t Line = 0;    // the record's input line, counted from 1
  std::size_t Position = 0;  // the border's points before it
};

// A run of border points from consecutive input lines: the first point's
// index in the border, and its line.
struct TLineRun {
  std::size_t FirstPoint;
  std::uint64_t FirstLine;
};

// A border's records as views, valid while what they view is. The lines of
// the points are a first run from point 0 on FirstLine, and the runs after
// it, which most borders, of DP records on consecutive lines, do not have.
struct TBorderView {
  std::span<const TGeographicPoint> Points;
  std::span<const TArc> Arcs = {};  // in input order, each after Points[Position - 1]
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
  bool Empty() const { return Points.empty() && Arcs.empty(); }
  void Swap(TBorder& other) noexcept {
    Points.swap(other.Points);
    Arcs.swap(other.Arcs);
    Lines.swap(other.Lines);
    std::swap(LastLine, other.LastLine);
  }
  TBorderView View() const {
    if (Lines.empty()) return {Points, Arcs};
    return {Points, Arcs, Lines.front().FirstLine, std::span<const TLineRun>(Lines).subspan(1)};
  }

private:
  std::uint64_t LastLine = 0;
};
