#include "Utils.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/Streams.h"

namespace {

constexpr char CR = OutputLineBreak[0], LF = OutputLineBreak[1];

// The pieces' bytes through `write`, upper-cased where asked, then CR and LF.
template <typename TWrite>
[[gnu::always_inline]] inline void WritePieces(std::initializer_list<TLinePiece> pieces, TWrite write) {
  for (const TLinePiece& piece : pieces) {
    if (piece.UpperCased)
      for (const char c : piece.Text) write(UpperCaseChar(c));
    else
      for (const char c : piece.Text) write(c);
  }
  write(CR);
  write(LF);
}

}  // namespace

void WriteLine(TStream& stream, std::initializer_list<TLinePiece> pieces) {
  TWriteCursor out(stream);
  std::size_t size = 2;  // the line break
  for (const TLinePiece& piece : pieces) size += piece.Text.size();
  if (size <= out.Room())  // the usual case: the line fits in the buffer
    WritePieces(pieces, [&out](char c) { out.WriteInRoom(c); });
  else
    WritePieces(pieces, [&out](char c) { out.Write(c); });
}

// The usual case, a line that fits in the buffer, in a loop of its own.
void WriteLine(TStream& stream, std::string_view text) {
  {
    TWriteCursor out(stream);
    if (text.size() + 2 <= out.Room()) {
      for (const char c : text) out.WriteInRoom(c);
      out.WriteInRoom(CR);
      out.WriteInRoom(LF);
      return;
    }
  }  // the cursor gives the position back before the general case takes its own
  WriteLine(stream, {{text}});
}

TGrowingText::~TGrowingText() { std::free(FData); }

void TGrowingText::Grow(std::size_t count) {
  if (count > SIZE_MAX / 2 - FSize) throw std::bad_alloc();
  const std::size_t capacity = std::max({2 * FCapacity, FSize + count, std::size_t{64}});
  void* data = std::realloc(FData, capacity);
  if (data == nullptr) throw std::bad_alloc();
  FData = static_cast<char*>(data);
  FCapacity = capacity;
}

void TGrowingText::Append(std::string_view text) {
  Reserve(text.size());
  if (!text.empty()) std::memcpy(FData + FSize, text.data(), text.size());
  FSize += text.size();
}
