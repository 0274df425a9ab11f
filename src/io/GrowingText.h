// A text that grows in place, in which lines, long names and the airspace
// list's texts are held.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>

#include "io/Poison.h"

// Grows in place where the allocator can (std::realloc, which for large
// blocks remaps their pages): a line or name of many megabytes then holds its
// memory once, where a std::string holds its old and new copies at once while
// it grows. Bytes beyond Size are not set, and pages of the capacity never
// written take no memory. In sanitized builds the bytes beyond Size are
// off-limits except those a Reserve has opened for writing through Data.
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

  // Room for `count` bytes beyond Size, open for writing through Data until
  // the next SetSize; raises std::bad_alloc where there is none.
  void Reserve(std::size_t count) {
    if (count > FCapacity - FSize) Grow(count);
    UnpoisonSpare(FData + FSize, count);
  }
  // The size after bytes were written through Data, at most Capacity; what
  // lies beyond it is closed again.
  void SetSize(std::size_t size) {
    UnpoisonSpare(FData, FCapacity);  // a size may also grow over written bytes
    FSize = size;
    PoisonSpare(FData + FSize, FCapacity - FSize);
  }
  void Clear() { SetSize(0); }
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
