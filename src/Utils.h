// Helpers shared by the reader and the writer: the one upper-casing rule,
// the line writer through which every output line reaches its stream, and
// the growing text in which lines and long names are held.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "platform/Streams.h"

// The line break every output line ends with; the reader takes it as one.
constexpr std::string_view LineBreak = "\r\n";

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

// A text that grows in place where the allocator can (std::realloc, which
// for large blocks remaps their pages): a line or name of many megabytes
// then holds its memory once, where a std::string holds its old and new
// copies at once while it grows. Bytes beyond Size are not set, and pages
// of the capacity never written take no memory.
class TGrowingText {
public:
  TGrowingText() = default;
  TGrowingText(TGrowingText&& other) noexcept
      : FData(std::exchange(other.FData, nullptr)),
        FSize(std::exchange(other.FSize, 0)),
        FCapacity(std::exchange(other.FCapacity, 0)) {}
  TGrowingText& operator=(TGrowingText&& other) noexcept {
    TGrowingText(std::move(other)).Swap(*this);
    return *this;
  }
  TGrowingText(const TGrowingText&) = delete;
  TGrowingText& operator=(const TGrowingText&) = delete;
  ~TGrowingText();

  char* Data() const { return FData; }
  std::size_t Size() const { return FSize; }
  std::size_t Capacity() const { return FCapacity; }
  bool Empty() const { return FSize == 0; }
  std::string_view View() const { return {FData, FSize}; }

  // Room for `count` bytes beyond Size; raises std::bad_alloc where there is none.
  void Reserve(std::size_t count) {
    if (count > FCapacity - FSize) Grow(count);
  }
  // The size after bytes were written through Data, at most Capacity.
  void SetSize(std::size_t size) { FSize = size; }
  void Clear() { FSize = 0; }
  void Append(std::string_view text);
  void Append(char c) {
    Reserve(1);
    FData[FSize++] = c;
  }

private:
  void Grow(std::size_t count);
  void Swap(TGrowingText& other) noexcept {
    std::swap(FData, other.FData);
    std::swap(FSize, other.FSize);
    std::swap(FCapacity, other.FCapacity);
  }
  char* FData = nullptr;
  std::size_t FSize = 0;
  std::size_t FCapacity = 0;
};
