// A border point's number as text for the outputs beside the ZRN, the same
// text the ZRN writes for it.
#pragma once

#include <string>

// The value as "%f" with `digits` digits after the point (2 to 11),
// appended: the fast path where it serves, the exact one otherwise.
void AppendPointNumber(std::string& text, double value, int digits);
