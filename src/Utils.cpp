#include "Utils.h"

#include "platform/Streams.h"

namespace {

constexpr char CR = 13, LF = 10;

}  // namespace

void WriteLine(TStream& stream, std::string_view text) {
  TWriteCursor out(stream);
  if (text.size() + 2 <= out.Room()) {  // the usual case: the line and its break fit in the buffer
    for (const char c : text) out.WriteInRoom(c);
    out.WriteInRoom(CR);
    out.WriteInRoom(LF);
    return;
  }
  for (const char c : text) out.Write(c);
  out.Write(CR);
  out.Write(LF);
}

void WriteLine(TStream& stream, std::initializer_list<TLinePiece> pieces) {
  TWriteCursor out(stream);
  for (const TLinePiece& piece : pieces) {
    if (piece.UpperCased)
      for (const char c : piece.Text) out.Write(UpperCaseChar(c));
    else
      for (const char c : piece.Text) out.Write(c);
  }
  out.Write(CR);
  out.Write(LF);
}
