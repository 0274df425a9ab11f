// The record keywords the reader knows, and the number of a line's keyword.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// Numbered from 1 in this order; every keyword is one or two letters.
constexpr std::array<std::string_view, 11> Keywords = {"AC", "AN", "AT", "AL", "AH", "DP", "AY", "V", "DA", "DB", "DC"};
constexpr std::size_t MaxKeywordLength = 2;

// The number of the token's keyword in Keywords, 1 to Keywords.size(),
// without regard to case; -1 for any other token.
int KeywordNumber(std::string_view token);

// The number of the keyword that a line's first token is, -1 for none; and
// the first token's length, where it is one or two bytes. The line is not
// empty and does not start with a delimiter, as the reader returns it.
struct TLineKeyword {
  int Number;
  std::size_t Length;
};
TLineKeyword LineKeyword(std::string_view line);
