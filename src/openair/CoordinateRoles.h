// What each byte of a coordinate text does: shared by the coordinate
// reader and the doubts about a coordinate, so that both see one text.
#pragma once

#include <array>

#include "base/Text.h"

constexpr char DegreeSign = static_cast<char>(176);
// Pass 1, normalisation: a double quote or a comma becomes a blank, an
// apostrophe or the degree sign a ":", letters are upper-cased; ‹50°30'15" n›
// becomes ‹50:30:15  N›. Runs of blanks also collapse and a leading blank
// goes, but that changes nothing for pass 2, which ignores a blank while no
// number is pending; so here each byte maps on its own.
constexpr char NormalisedByte(char c) {
  if (c == '"' || c == ',') return ' ';
  if (c == '\'' || c == DegreeSign) return ':';
  return UpperCaseChar(c);
}

// What a normalised byte does in pass 2.
enum class TRole : unsigned char { Other, Digit, SignOrPoint, Colon, Blank, North, South, East, West };

constexpr TRole RoleOf(char normalised) {
  switch (normalised) {
    case '-':
    case '.': return TRole::SignOrPoint;
    case ':': return TRole::Colon;
    case ' ': return TRole::Blank;
    case 'N': return TRole::North;
    case 'S': return TRole::South;
    case 'E': return TRole::East;
    case 'W': return TRole::West;
    default: return normalised >= '0' && normalised <= '9' ? TRole::Digit : TRole::Other;
  }
}

// Both passes for every byte value, looked up once per byte.
constexpr std::array<TRole, 256> CoordinateRoles = [] {
  std::array<TRole, 256> roles{};
  for (int c = 0; c < 256; ++c) roles[c] = RoleOf(NormalisedByte(static_cast<char>(c)));
  return roles;
}();
