#include "Utils.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

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
