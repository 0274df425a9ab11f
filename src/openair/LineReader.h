// The OpenAir reader's first step: the input's bytes as logical lines, with
// line breaks and comments removed.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

#include "io/GrowingText.h"

class TStream;

// Reads logical lines: line breaks and comment lines removed, leading
// delimiters dropped. A line ends at CR, CR LF, or LF alone; a "*" after some
// text starts a comment that runs to the end of the physical line; a UTF-8
// byte order mark at the very start of the input is dropped. It keeps the
// state of the line ends between calls and never looks ahead.
class TLineReader {
public:
  explicit TLineReader(TStream& stream) : Stream(stream) {}

  // The next logical line (empty for a blank line), valid until the next
  // call; false at the end of the input, which is no text, so a line "@EOF"
  // is ordinary.
  bool ReadLine(std::string_view& line);

  // The physical line, counted from 1 as an editor counts them, on which the
  // line last returned stands; while a line is being read, the line reached.
  std::uint64_t LineNumber() const { return FLineNumber; }

  // Whether the line last returned holds no delimiter but the blank.
  bool BlanksOnly() const { return FBlanksOnly; }

  // Hands over the buffer that holds the line last returned, its size the
  // line's length, to a caller that keeps the line's bytes; the line's view
  // stays valid, and the next line goes to a new buffer.
  TGrowingText TakeBuffer() { return std::exchange(Buffer, TGrowingText()); }

private:
  TStream& Stream;
  bool LastWasCR = false;
  bool AtInputStart = true;
  std::uint64_t Breaks = 0;  // line breaks read so far
  std::uint64_t FLineNumber = 1;
  bool FBlanksOnly = true;
  TGrowingText Buffer;  // where lines are built, and stay until the next call
};
