// The bytes that separate an OpenAir line's tokens, and the comment mark:
// shared by the line reader, the tokens, the keywords and the OpenAir check.
#pragma once

#include <array>

// A set of byte values.
class TCharSet {
public:
  constexpr TCharSet(int first, int last) {
    for (int c = first; c <= last; ++c) Members[c] = true;
  }
  constexpr bool Contains(char c) const { return Members[static_cast<unsigned char>(c)]; }

private:
  std::array<bool, 256> Members{};
};

constexpr char CommentChar = '*';
constexpr TCharSet Delimiters(0, 32);  // every control byte and the blank
