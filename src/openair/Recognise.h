// Whether a file's first bytes hold OpenAir airspaces, so that an OpenAir
// file named as the output is never replaced.
#pragma once

#include <cstddef>
#include <string>

// How much of an existing output is read to tell: published files name their
// first airspace within a few kilobytes (the French ones after a header of
// under 4 KB); reading more would cost every run that replaces a large output.
constexpr std::size_t RecognisedBytes = std::size_t{64} * 1024;

// True where a line that the reader returns, byte order mark, comments and
// leading delimiters handled as for the input, is an AC, AN or DP record
// (keyword without regard to case) with a value: a token after the keyword
// that is not empty.
bool HoldsOpenAirAirspaces(std::string bytes);  // read where they are, not copied
