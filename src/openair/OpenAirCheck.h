// Whether a file's start is OpenAir, so that an OpenAir file named as the
// output, as when the two arguments are swapped, is never replaced.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// How much of an existing output is read to tell. Licence texts of published
// files run to tens of kilobytes before the first record; a megabyte of
// nothing but comments and blank lines is no airspace file.
constexpr std::size_t OpenAirCheckBytes = std::size_t{1024} * 1024;
// What is read first: published files name their first airspace within a
// few kilobytes, and a previous output tells at its first line.
constexpr std::size_t OpenAirFirstLook = std::size_t{64} * 1024;
static_assert(OpenAirFirstLook <= OpenAirCheckBytes);

// True where the first line of `start` that is neither blank nor a comment
// (a byte order mark, line ends, comments and leading delimiters as the
// reader takes them) has an OpenAir record keyword as its first token,
// without regard to case, and a value after it. The end of `start` ends its
// last line where `start` is all that is read; otherwise nothing is told
// where the deciding line is not ended within it.
std::optional<bool> StartsAsOpenAir(std::string_view start, bool allThatIsRead);

// What an input's start holds, within what was read: a line that starts
// with an OpenAir record keyword and a value (where the check is done, the
// first line of text need not be one), only other text, or nothing but blank
// lines and comments. Nothing where the answer may lie beyond it.
enum class TInputStart { Records, OtherText, Nothing };
std::optional<TInputStart> InputStartIs(std::string_view start, bool allThatIsRead);
