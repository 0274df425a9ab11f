// A border's records: one border appended to another, and the line of a point.
#include "model/Border.h"

#include <algorithm>

std::uint64_t TBorderView::LineOfPoint(std::size_t index) const {
  const auto later = std::upper_bound(LaterLines.begin(), LaterLines.end(), index,
                                      [](std::size_t i, const TLineRun& run) { return i < run.FirstPoint; });
  if (later == LaterLines.begin()) return FirstLine + index;
  const TLineRun& run = *(later - 1);
  return run.FirstLine + (index - run.FirstPoint);
}

void TBorder::Append(const TBorder& other) {
  const std::size_t before = Points.size();
  for (TArc arc : other.Arcs) {
    arc.Position += before;
    Arcs.push_back(arc);
  }
  // A blank line stands between two blocks, so no run continues another.
  for (const TLineRun& run : other.Lines) Lines.push_back({run.FirstPoint + before, run.FirstLine});
  Points.insert(Points.end(), other.Points.begin(), other.Points.end());
  if (!other.Lines.empty()) LastLine = other.LastLine;
}
