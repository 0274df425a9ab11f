// The line writer through which every output line reaches its stream.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "io/Streams.h"

// The line break every output line ends with.
constexpr std::string_view LineBreak = "\r\n";

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

// A line of at most maxSize bytes, which `fill` writes through the cursor it
// is given (TWriteCursor::WriteInRoom and WriteInRoomIf), then the line break:
// straight into the stream's buffer, still one byte per write, with no copy
// of the line and one room check. False, with nothing written, where the
// buffer has no room for the whole line; the caller then writes it by
// WriteLine.
template <typename TFill>
[[gnu::always_inline]] inline bool WriteLineInRoom(TStream& stream, std::size_t maxSize, TFill fill) {
  TWriteCursor out(stream);
  if (out.Room() < maxSize + LineBreak.size()) return false;
  fill(out);
  for (const char c : LineBreak) out.WriteInRoom(c);
  return true;
}
