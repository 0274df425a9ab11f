// Crossings through an R-tree of the ring's edges: each edge is tested
// against the edges whose boxes meet its own.
#include "check/Crossings.h"

#include <cmath>
#include <cstddef>
#include <numbers>
#include <string>
#include <utility>

#include <boost/geometry/algorithms/envelope.hpp>
#include <boost/geometry/algorithms/intersects.hpp>
#include <boost/geometry/geometries/box.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/segment.hpp>
#include <boost/geometry/index/rtree.hpp>

#include "geodesy/Plane.h"

namespace {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;
using TPoint = bg::model::d2::point_xy<double>;
using TSegment = bg::model::segment<TPoint>;
using TBox = bg::model::box<TPoint>;
using TEdgeEntry = std::pair<TBox, std::size_t>;

// The ring's corners, each with the index of its drawn point.
struct TRing {
  std::vector<TPlanePoint> Corners;
  std::vector<std::size_t> Drawn;
};

TRing RingOf(const TDrawnAirspace& airspace) {
  const std::vector<TPlanePoint> plane = UnwrappedPlane(airspace.Border());
  TRing ring;
  for (std::size_t i = 0; i < plane.size(); ++i) {
    if (!ring.Corners.empty() && plane[i] == ring.Corners.back()) continue;
    ring.Corners.push_back(plane[i]);
    ring.Drawn.push_back(i);
  }
  while (ring.Corners.size() > 1 && ring.Corners.back() == ring.Corners.front()) {
    ring.Corners.pop_back();
    ring.Drawn.pop_back();
  }
  return ring;
}

class TRingCheck {
public:
  TRingCheck(const TDrawnAirspace& airspace, std::vector<TFinding>& findings)
      : Ring(RingOf(airspace)), Sources(airspace.Sources()), Findings(findings) {}

  void Run() {
    if (Ring.Corners.size() < 3) return;
    FindSpikes();
    FindEdgesThatMeet();
  }

private:
  std::size_t Count() const { return Ring.Corners.size(); }
  TPoint Corner(std::size_t i) const { return {Ring.Corners[i % Count()].X, Ring.Corners[i % Count()].Y}; }
  TSegment Edge(std::size_t i) const { return {Corner(i), Corner(i + 1)}; }
  // The line of the record that made edge i: of its end, or for the
  // closing edge, of the border's last record.
  std::uint64_t EdgeLine(std::size_t i) const {
    return i + 1 < Count() ? Sources[Ring.Drawn[i + 1]].Line : Sources.back().Line;
  }
  bool Neighbours(std::size_t i, std::size_t j) const {
    return j == i + 1 || i == j + 1 || (i == 0 && j == Count() - 1) || (j == 0 && i == Count() - 1);
  }

  // Where the edges before and after a corner turn back by more than 179
  // degrees: their dot product below cos 179° times their lengths, compared
  // squared, as both sides are then negative.
  void FindSpikes() {
    const double cosine = std::cos(179 * std::numbers::pi / 180);
    for (std::size_t i = 0; i < Count(); ++i) {
      const TPlanePoint &before = Ring.Corners[(i + Count() - 1) % Count()], &at = Ring.Corners[i],
                        &after = Ring.Corners[(i + 1) % Count()];
      const double ax = at.X - before.X, ay = at.Y - before.Y, bx = after.X - at.X, by = after.Y - at.Y;
      const double dot = ax * bx + ay * by;
      if (dot < 0 && dot * dot > cosine * cosine * (ax * ax + ay * ay) * (bx * bx + by * by))
        Findings.push_back({Sources[Ring.Drawn[i]].Line, "the border turns back on itself here (a spike)"});
    }
  }

  void FindEdgesThatMeet() {
    constexpr std::size_t LeastWithOthers = 4;  // a triangle's edges are all neighbours
    if (Count() < LeastWithOthers) return;
    std::vector<TEdgeEntry> entries;
    entries.reserve(Count());
    for (std::size_t i = 0; i < Count(); ++i) entries.emplace_back(bg::return_envelope<TBox>(Edge(i)), i);
    const bgi::rtree<TEdgeEntry, bgi::quadratic<16>> tree(entries.begin(), entries.end());  // packed at once
    std::vector<TEdgeEntry> near;
    for (std::size_t later = 2; later < Count(); ++later) {
      const TSegment edge = Edge(later);
      std::size_t met = later;  // the first earlier edge it meets
      const auto earlierApart = [&](const TEdgeEntry& entry) {
        return entry.second < later && !Neighbours(entry.second, later);
      };
      near.clear();
      tree.query(bgi::intersects(entries[later].first) && bgi::satisfies(earlierApart), std::back_inserter(near));
      for (const auto& [box, earlier] : near)
        if (earlier < met && bg::intersects(edge, Edge(earlier))) met = earlier;
      if (met != later)
        Findings.push_back({EdgeLine(later), "the border crosses itself: this edge meets the edge of line " +
                                                 std::to_string(EdgeLine(met))});
    }
  }

  TRing Ring;
  std::span<const TPointSource> Sources;
  std::vector<TFinding>& Findings;
};

}  // namespace

void FindCrossings(const TDrawnAirspace& airspace, std::vector<TFinding>& findings) {
  TRingCheck(airspace, findings).Run();
}
