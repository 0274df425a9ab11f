#include "Utils.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/Streams.h"

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
