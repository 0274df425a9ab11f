// The writer of the ZRN markup, one airspace element at a time.
#pragma once

#include <cstddef>

#include "model/Airspace.h"

class TStream;

// Whether a point whose two texts repeat those of the point written just
// before it in the same border is written again.
enum class TRepeats { Kept, Dropped };

// The airspace as ZRN markup lines: the opening line, the border and its
// points if there are any, the closing line. Returns the points written.
std::size_t WriteAirspace(const TAirspaceView& airspace, TStream& stream, TRepeats repeats = TRepeats::Kept);
