// The writer of the ZRN markup, one airspace element at a time.
#pragma once

#include "model/Airspace.h"

class TStream;

// The airspace as ZRN markup lines: the opening line, the border and its
// points if there are any, the closing line.
void WriteAirspace(const TAirspaceView& airspace, TStream& stream);
