// The line writer: pieces upper-cased where asked, straight into the stream's
// buffer where the line fits.
#include "zrn/LineWriter.h"

#include "base/Text.h"

namespace {

// The pieces' bytes through `write`, upper-cased where asked.
template <typename TWrite>
[[gnu::always_inline]] inline void WritePieces(std::initializer_list<TLinePiece> pieces, TWrite write) {
  for (const TLinePiece& piece : pieces) {
    if (piece.UpperCased)
      for (const char c : piece.Text) write(UpperCaseChar(c));
    else
      for (const char c : piece.Text) write(c);
  }
}

}  // namespace

void WriteLine(TStream& stream, std::initializer_list<TLinePiece> pieces) {
  std::size_t size = 0;
  for (const TLinePiece& piece : pieces) size += piece.Text.size();
  // The usual case: the line fits in the buffer.
  if (WriteLineInRoom(stream, size,
                      [pieces](TWriteCursor& out) { WritePieces(pieces, [&out](char c) { out.WriteInRoom(c); }); }))
    return;
  TWriteCursor out(stream);
  WritePieces(pieces, [&out](char c) { out.Write(c); });
  for (const char c : LineBreak) out.Write(c);
}

void WriteLine(TStream& stream, std::string_view text) {
  // The usual case in a loop of its own.
  if (WriteLineInRoom(stream, text.size(), [text](TWriteCursor& out) {
        for (const char c : text) out.WriteInRoom(c);
      }))
    return;
  WriteLine(stream, {{text}});
}
