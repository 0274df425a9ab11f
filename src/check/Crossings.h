// A border that crosses itself, or turns back on itself in a spike.
#pragma once

#include <vector>

#include "geodesy/Draw.h"
#include "model/Finding.h"

// On the drawn border as a ring, consecutive repeated points removed and
// closed: every edge that meets an earlier edge that is not its neighbour
// (crossing it or sharing a point), once, at the line of the record that
// made it, the closing edge at the border's last record; and every point
// where the border turns back by more than 179 degrees, at its line. The
// airspace's drawer must note sources.
void FindCrossings(const TDrawnAirspace& airspace, std::vector<TFinding>& findings);
