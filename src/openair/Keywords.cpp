// Keyword lookup: one table slot for every token of one or two letters,
// filled from the keyword table at compile time.
#include "openair/Keywords.h"

#include <algorithm>
#include <cstdint>

#include "base/Text.h"
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

constexpr std::array<TRecordKind, SlotCount> KindsBySlot = [] {
  std::array<TRecordKind, SlotCount> kinds{};
  kinds.fill(TRecordKind::None);
  for (const TKeyword& keyword : Keywords) {
    const std::string_view text = keyword.Text;
    const std::size_t slot =
        text.size() == 1 ? Slot(LetterPlace(text[0])) : Slot(LetterPlace(text[0]), LetterPlace(text[1]));
    if (kinds[slot] != TRecordKind::None) throw "a keyword stands twice in the table";
    kinds[slot] = keyword.Kind;
  }
  return kinds;
}();

constexpr bool WellFormed(const TKeyword& keyword) {
  const std::string_view text = keyword.Text;
  return (text.size() == 1 || text.size() == MaxKeywordLength) &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; }) &&
         keyword.Kind != TRecordKind::None;
}
static_assert(std::all_of(Keywords.begin(), Keywords.end(), WellFormed), "keywords are one or two capitals");

// The line keyword is looked up on every line: inlined in both callers.
[[gnu::always_inline]] inline TRecordKind LookUp(std::string_view token) {
  if (token.size() == 1) {
    const unsigned first = LetterPlace(token[0]);
    return first < LetterCount ? KindsBySlot[Slot(first)] : TRecordKind::None;
  }
  if (token.size() == 2) {
    const unsigned first = LetterPlace(token[0]), second = LetterPlace(token[1]);
    return first < LetterCount && second < LetterCount ? KindsBySlot[Slot(first, second)] : TRecordKind::None;
  }
  return TRecordKind::None;
}

}  // namespace

TRecordKind KindOfKeyword(std::string_view token) { return LookUp(token); }

TLineKeyword LineKeyword(std::string_view line) {
  static_assert(MaxKeywordLength == 2, "a first token of one or two bytes is looked up");
  if (line.size() <= 1 || Delimiters.Contains(line[1])) return {LookUp(line.substr(0, 1)), 1};
  if (line.size() == 2 || Delimiters.Contains(line[2])) return {LookUp(line.substr(0, 2)), 2};
  return {TRecordKind::None, 3};
}
