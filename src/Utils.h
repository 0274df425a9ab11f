// Helpers shared by the reader and the writer: the one upper-casing rule and
// the line writer through which every output line reaches its stream.
#pragma once

#include <initializer_list>
#include <string_view>

class TStream;

// "a" to "z" become "A" to "Z"; every other byte, those above 127 included,
// stays as it is.
constexpr char UpperCaseChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The bytes of the text, then CR and LF, each as a one-byte write. Failures
// are kept by the stream, not here.
void WriteLine(TStream& stream, std::string_view text);

// A line given in pieces, each upper-cased on the way if asked: a long name
// reaches the stream with no copy of the line.
struct TLinePiece {
  std::string_view Text;
  bool UpperCased = false;
};
void WriteLine(TStream& stream, std::initializer_list<TLinePiece> pieces);
