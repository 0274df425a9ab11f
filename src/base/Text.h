// The small rules on bytes and texts that every room shares: one
// upper-casing, one idea of a blank, one digit test.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// "a" to "z" become "A" to "Z"; every other byte, those above 127 included,
// stays as it is.
constexpr char UpperCaseChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperCaseChar(c);
  return upper;
}

// Equal but for the case of "a" to "z".
constexpr bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperCaseChar(x) == UpperCaseChar(y); });
}

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The blank and the tab: what a trimmed text loses at both ends.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// "1 point", "2 points": a count and a noun that takes an s.
inline std::string Counted(std::size_t count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}
