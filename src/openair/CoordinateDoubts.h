// Doubts about a coordinate text that reads without failing: the typos that
// would put a point somewhere its author never meant.
#pragma once

#include <string>
#include <string_view>

#include "openair/CoordinateText.h"

// The first doubt about a coordinate, in this order, as a message; empty
// where there is none. `raw` is the record's value as it stands in the
// line, `read` what the reader made of it, `usual` whether it was of a usual
// form (which can raise only the last two).
//   1. a latitude or a longitude missing;
//   2. a byte the reader skips: a letter other than a hemisphere letter, a
//      mark, a control byte (not a blank or tab, a degree sign in UTF-8 or
//      Latin-1, ' or " as minute and second marks);
//   3. a decimal comma, between two digits;
//   4. two hemisphere letters for one value;
//   5. a latitude beyond 90 or a longitude beyond 180;
//   6. where `sixty` asks, minutes or seconds of 60 or more.
std::string CoordinateDoubt(std::string_view raw, const TCoordinates& read, bool usual, bool sixty);
