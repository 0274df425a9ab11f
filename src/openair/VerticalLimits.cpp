// Vertical limits: the text squeezed and upper-cased, then matched against
// the few forms published files use.
#include "openair/VerticalLimits.h"

#include <array>
#include <optional>
#include <string>

#include "base/Text.h"
#include "openair/Delimiters.h"

namespace {

template <std::size_t N>
bool OneOf(std::string_view text, const std::array<std::string_view, N>& words) {
  for (const std::string_view word : words)
    if (text == word) return true;
  return false;
}

constexpr std::array<std::string_view, 4> GroundWords = {"GND", "SFC", "GROUND", "SURFACE"};
constexpr std::array<std::string_view, 4> UnlimitedWords = {"UNL", "UNLTD", "UNLIM", "UNLIMITED"};
// The words of a height's unit (true for metres) and reference (true for
// above the ground), the empty word first: "1000 MSL" is feet above sea
// level, its M no unit.
struct TWord {
  std::string_view Text;
  bool Flag;
};
constexpr std::array<TWord, 9> Units = {{{"", false},
                                         {"FT", false},
                                         {"F", false},
                                         {"FEET", false},
                                         {"M", true},
                                         {"METER", true},
                                         {"METERS", true},
                                         {"METRE", true},
                                         {"METRES", true}}};
constexpr std::array<TWord, 9> References = {{{"", false},
                                              {"MSL", false},
                                              {"AMSL", false},
                                              {"ALT", false},
                                              {"AGL", true},
                                              {"ASFC", true},
                                              {"SFC", true},
                                              {"GND", true},
                                              {"AGND", true}}};

// The unit and reference of a height: the rest after its number, one of
// each (either may be empty) in either order; where two readings fit, the
// first in the tables' order counts.
struct TUnitAndReference {
  bool Metres;
  bool AboveGround;
};
std::optional<TUnitAndReference> ReadUnitAndReference(std::string_view rest) {
  const auto joined = [rest](std::string_view first, std::string_view second) {
    return rest.size() == first.size() + second.size() && rest.starts_with(first) && rest.ends_with(second);
  };
  for (const TWord& unit : Units)
    for (const TWord& reference : References)
      if (joined(unit.Text, reference.Text) || joined(reference.Text, unit.Text))
        return TUnitAndReference{unit.Flag, reference.Flag};
  return std::nullopt;
}

// The digits at the start, and where a "." and digits follow, those too.
std::size_t NumberLength(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size() && IsDigit(text[end])) ++end;
  if (end == 0) return 0;
  if (end + 1 < text.size() && text[end] == '.' && IsDigit(text[end + 1])) {
    end += 2;
    while (end < text.size() && IsDigit(text[end])) ++end;
  }
  return end;
}

// The number without leading zeros of its whole part: "0500" is 500, "00.5" is 0.5.
std::string WithoutLeadingZeros(std::string_view number) {
  std::size_t first = 0;
  while (first + 1 < number.size() && number[first] == '0' && IsDigit(number[first + 1])) ++first;
  return std::string(number.substr(first));
}

bool IsZero(std::string_view number) { return number.find_first_not_of("0.") == std::string_view::npos; }

std::optional<TVerticalLimit> ReadSqueezed(std::string_view text) {
  using TKind = TVerticalLimit::TKind;
  if (OneOf(text, GroundWords)) return TVerticalLimit{TKind::Ground, "", false, true, "GND"};
  for (const std::string_view word : UnlimitedWords) {
    if (text.substr(0, word.size()) != word) continue;
    const std::string_view unit = text.substr(word.size());
    for (const TWord& word : Units)
      if (unit == word.Text) return TVerticalLimit{TKind::Unlimited, "", false, false, "UNL"};
  }
  if (text.substr(0, 2) == "FL" && text.size() > 2 && NumberLength(text.substr(2)) == text.size() - 2 &&
      text.find('.') == std::string_view::npos) {
    const std::string level = WithoutLeadingZeros(text.substr(2));
    return TVerticalLimit{TKind::FlightLevel, level, false, false, "FL" + level};
  }
  const std::size_t length = NumberLength(text);
  if (length == 0) return std::nullopt;
  const std::optional<TUnitAndReference> unit = ReadUnitAndReference(text.substr(length));
  if (!unit) return std::nullopt;
  const std::string number = WithoutLeadingZeros(text.substr(0, length));
  if (unit->AboveGround && IsZero(number)) return TVerticalLimit{TKind::Ground, "", false, true, "GND"};
  return TVerticalLimit{TKind::Height, number, unit->Metres, unit->AboveGround,
                        number + (unit->Metres ? "M" : "FT") + (unit->AboveGround ? " AGL" : "")};
}

}  // namespace

TVerticalLimit ReadVerticalLimit(std::string_view value) {
  std::string squeezed;
  squeezed.reserve(value.size());
  for (const char c : value)
    if (!Delimiters.Contains(c)) squeezed += UpperCaseChar(c);
  if (squeezed.empty()) return {};
  if (std::optional<TVerticalLimit> limit = ReadSqueezed(squeezed)) return *limit;
  std::string_view written = value;
  while (Delimiters.Contains(written.front())) written.remove_prefix(1);  // not all delimiters: squeezed holds text
  while (Delimiters.Contains(written.back())) written.remove_suffix(1);
  return {TVerticalLimit::TKind::Unreadable, "", false, false, std::string(written)};
}
