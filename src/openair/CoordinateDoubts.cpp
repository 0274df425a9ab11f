// Doubts about a coordinate text: its numbers placed as the reader places
// them, and its bytes looked at one by one.
#include "openair/CoordinateDoubts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>

#include "base/Text.h"
#include "openair/CoordinateRoles.h"
#include "openair/Delimiters.h"

namespace {

constexpr int Slots = 6;           // latitude's D M S, then longitude's
constexpr int FirstLongitude = 3;  // counted from 0

// Where the reader puts a text's numbers, and the hemisphere letters it saw.
// A number is seen from its first byte to its last in the text (a byte the
// reader skips may stand within).
struct TLayout {
  std::array<std::string_view, Slots> Numbers;  // empty where none was put
  int LatitudeLetters = 0;
  int LongitudeLetters = 0;

  bool HasLatitude() const { return !Numbers[0].empty(); }
  bool HasLongitude() const { return !Numbers[FirstLongitude].empty(); }
};

// The reader's placing, step by step: a number ends at a colon or a blank;
// a latitude letter after some latitude number moves on to the longitude.
TLayout LayoutOf(std::string_view raw) {
  TLayout layout;
  std::size_t first = 0, last = 0;  // of the pending number, last one past; equal where none
  int slot = 0;
  // An empty text between colons fails to read before any doubt is asked.
  const auto store = [&] {
    if (slot < Slots) layout.Numbers[slot] = raw.substr(first, last - first);
    ++slot;
    first = last;
  };
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const bool pending = last > first;
    // A tab or control byte parts the tokens the reader joins with blanks.
    const TRole role = Delimiters.Contains(raw[i]) ? TRole::Blank : CoordinateRoles[static_cast<unsigned char>(raw[i])];
    switch (role) {
      case TRole::Digit:
      case TRole::SignOrPoint:
        if (!pending) first = i;
        last = i + 1;
        break;
      case TRole::Colon:
        if (!pending) first = last = i;
        store();
        break;
      case TRole::Blank:
        if (pending) store();
        break;
      case TRole::North:
      case TRole::South:
        ++layout.LatitudeLetters;
        if (slot < FirstLongitude && (slot > 0 || pending)) {
          if (pending) store();
          slot = FirstLongitude;
        }
        break;
      case TRole::East:
      case TRole::West: ++layout.LongitudeLetters; break;
      case TRole::Other: break;
    }
  }
  if (last > first) store();
  return layout;
}

// The byte in words: ‹the letter O›, ‹the character ;›, ‹a NUL byte›.
std::string ByteInWords(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z') return std::string("the letter ") + c;
  if (byte == 0) return "a NUL byte";
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", byte);
  if (byte > ' ' && byte < 0x7F) return std::string("the character ") + c;
  return std::string(byte < ' ' || byte == 0x7F ? "the control byte " : "the byte ") + hex;
}

// The first byte the reader skips without meaning: not a blank or a tab.
std::string SkippedByte(std::string_view raw) {
  constexpr char Utf8Lead = static_cast<char>(0xC2);  // ‹°› in UTF-8 is C2 B0
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (CoordinateRoles[static_cast<unsigned char>(c)] != TRole::Other || c == '\t') continue;
    if (c == Utf8Lead && i + 1 < raw.size() && raw[i + 1] == DegreeSign) continue;
    return ByteInWords(c) + " is no part of a coordinate";
  }
  return {};
}

// The number around the first comma between two digits, ‹50,1978›; empty
// where there is none.
std::string_view DecimalComma(std::string_view raw) {
  const auto inNumber = [](char c) { return IsDigit(c) || c == '.'; };
  for (std::size_t i = 1; i + 1 < raw.size(); ++i) {
    if (raw[i] != ',' || !IsDigit(raw[i - 1]) || !IsDigit(raw[i + 1])) continue;
    std::size_t first = i, last = i + 1;
    while (first > 0 && inNumber(raw[first - 1])) --first;
    while (last < raw.size() && inNumber(raw[last])) ++last;
    return raw.substr(first, last - first);
  }
  return {};
}

// The whole part of a number of digits with at most one fraction; none for
// any other text.
std::optional<unsigned> WholePart(std::string_view number) {
  unsigned whole = 0;
  std::size_t i = 0;
  for (; i < number.size() && IsDigit(number[i]); ++i) whole = std::min(whole * 10 + unsigned(number[i] - '0'), 1000u);
  if (i == 0) return std::nullopt;
  if (i < number.size() && number[i] == '.') ++i;
  for (; i < number.size(); ++i)
    if (!IsDigit(number[i])) return std::nullopt;
  return whole;
}

// Minutes or seconds of 60 or more, where the value is such a number.
std::string SixtyOrMore(const TLayout& layout) {
  static constexpr const char* Names[] = {"minutes", "seconds"};
  constexpr unsigned Sixty = 60;
  for (const int first : {0, FirstLongitude})
    for (int part = 1; part <= 2; ++part) {
      const std::string_view text = layout.Numbers[first + part];
      const std::optional<unsigned> whole = WholePart(text);
      if (whole && *whole >= Sixty) return std::string(Names[part - 1]) + " of 60 or more: " + std::string(text);
    }
  return {};
}

// For a text of a usual form, numbers joined by colons with a letter after
// each part: the first minutes or seconds of 60 or more. A number after a
// colon is minutes, or seconds where the number before it followed a colon
// too.
std::string UsualSixtyOrMore(std::string_view raw) {
  constexpr unsigned Sixty = 60;
  bool afterColon = false;  // the number before this colon followed a colon
  for (std::size_t colon = raw.find(':'); colon != std::string_view::npos; colon = raw.find(':', colon + 1)) {
    std::size_t end = colon + 1;
    unsigned whole = 0;
    for (; end < raw.size() && IsDigit(raw[end]); ++end) whole = std::min(whole * 10 + unsigned(raw[end] - '0'), Sixty);
    while (end < raw.size() && (IsDigit(raw[end]) || raw[end] == '.')) ++end;
    if (whole >= Sixty)
      return std::string(afterColon ? "seconds" : "minutes") +
             " of 60 or more: " + std::string(raw.substr(colon + 1, end - colon - 1));
    afterColon = end < raw.size() && raw[end] == ':';
  }
  return {};
}

// A latitude beyond 90 or a longitude beyond 180.
const char* BeyondRange(const TCoordinates& read) {
  if (!(std::fabs(read.Latitude) <= 90)) return "latitude beyond 90";
  if (!(std::fabs(read.Longitude) <= 180)) return "longitude beyond 180";
  return nullptr;
}

}  // namespace

std::string CoordinateDoubt(std::string_view raw, const TCoordinates& read, bool usual, bool sixty) {
  if (usual) {
    if (const char* beyond = BeyondRange(read)) return beyond;
    return sixty ? UsualSixtyOrMore(raw) : std::string();
  }
  const TLayout layout = LayoutOf(raw);
  if (!layout.HasLatitude()) return "latitude missing";
  if (!layout.HasLongitude()) {
    // ‹013:10:37 E› alone: its numbers stand in the latitude's places.
    const bool onlyLongitude = layout.LatitudeLetters == 0 && layout.LongitudeLetters > 0;
    return onlyLongitude ? "latitude missing" : "longitude missing";
  }
  if (std::string skipped = SkippedByte(raw); !skipped.empty()) return skipped;
  if (const std::string_view number = DecimalComma(raw); !number.empty())
    return "decimal comma in " + std::string(number);
  if (layout.LatitudeLetters > 1) return "more than one hemisphere letter for the latitude";
  if (layout.LongitudeLetters > 1) return "more than one hemisphere letter for the longitude";
  if (const char* beyond = BeyondRange(read)) return beyond;
  return sixty ? SixtyOrMore(layout) : std::string();
}
