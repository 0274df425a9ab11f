// Keyword lookup: one table slot for every token of one or two letters,
// filled from the keyword list at compile time.
#include "openair/Keywords.h"

#include <algorithm>
#include <cstdint>

#include "base/UpperCase.h"
#include "openair/Delimiters.h"

namespace {

constexpr unsigned LetterCount = 26;

// A letter's place from 0 to 25, without regard to case; 26 or more for any
// other byte.
constexpr unsigned LetterPlaceOf(char c) { return static_cast<unsigned char>(UpperCaseChar(c)) - unsigned{'A'}; }
constexpr std::array<std::uint8_t, 256> LetterPlaces = [] {
  std::array<std::uint8_t, 256> places{};
  for (int c = 0; c < 256; ++c)
    places[c] = static_cast<std::uint8_t>(std::min(LetterPlaceOf(static_cast<char>(c)), LetterCount));
  return places;
}();
constexpr unsigned LetterPlace(char c) { return LetterPlaces[static_cast<unsigned char>(c)]; }

// Tokens of one letter first, then those of two.
constexpr std::size_t SlotCount = LetterCount + LetterCount * LetterCount;
constexpr std::size_t Slot(unsigned first) { return first; }
constexpr std::size_t Slot(unsigned first, unsigned second) { return LetterCount + first * LetterCount + second; }

constexpr std::array<std::int8_t, SlotCount> KeywordNumbers = [] {
  std::array<std::int8_t, SlotCount> numbers{};
  numbers.fill(-1);
  for (std::size_t i = 0; i < Keywords.size(); ++i) {
    const std::string_view keyword = Keywords[i];
    const std::size_t slot =
        keyword.size() == 1 ? Slot(LetterPlace(keyword[0])) : Slot(LetterPlace(keyword[0]), LetterPlace(keyword[1]));
    if (numbers[slot] != -1) throw "a keyword stands twice in the list";
    numbers[slot] = static_cast<std::int8_t>(i + 1);
  }
  return numbers;
}();

constexpr bool WellFormed(std::string_view keyword) {
  return (keyword.size() == 1 || keyword.size() == MaxKeywordLength) &&
         std::all_of(keyword.begin(), keyword.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}
static_assert(std::all_of(Keywords.begin(), Keywords.end(), WellFormed), "keywords are one or two capitals");
static_assert(Keywords.size() < 127, "numbers fit the table's bytes");

// Inlined in both callers: the line keyword is looked up on every line.
[[gnu::always_inline]] inline int LookUp(std::string_view token) {
  if (token.size() == 1) {
    const unsigned first = LetterPlace(token[0]);
    return first < LetterCount ? KeywordNumbers[Slot(first)] : -1;
  }
  if (token.size() == 2) {
    const unsigned first = LetterPlace(token[0]), second = LetterPlace(token[1]);
    return first < LetterCount && second < LetterCount ? KeywordNumbers[Slot(first, second)] : -1;
  }
  return -1;
}

}  // namespace

int KeywordNumber(std::string_view token) { return LookUp(token); }

TLineKeyword LineKeyword(std::string_view line) {
  static_assert(MaxKeywordLength == 2, "a first token of one or two bytes is looked up");
  if (line.size() <= 1 || Delimiters.Contains(line[1])) return {LookUp(line.substr(0, 1)), 1};
  if (line.size() == 2 || Delimiters.Contains(line[2])) return {LookUp(line.substr(0, 2)), 2};
  return {-1, 3};
}
