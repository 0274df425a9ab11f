// The growing text's memory: realloc, and the spare bytes kept off-limits in
// sanitized builds.
#include "io/GrowingText.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

TGrowingText::~TGrowingText() {
  UnpoisonSpare(FData, FCapacity);
  std::free(FData);
}

void TGrowingText::Grow(std::size_t count) {
  if (count > SIZE_MAX / 2 - FSize) throw std::bad_alloc();
  const std::size_t capacity = std::max({2 * FCapacity, FSize + count, std::size_t{64}});
  UnpoisonSpare(FData, FCapacity);  // realloc copies only what it may read
  void* data = std::realloc(FData, capacity);
  if (data == nullptr) {
    PoisonSpare(FData + FSize, FCapacity - FSize);
    throw std::bad_alloc();
  }
  FData = static_cast<char*>(data);
  FCapacity = capacity;
  PoisonSpare(FData + FSize, FCapacity - FSize);
}

void TGrowingText::Append(std::string_view text) {
  Reserve(text.size());
  if (!text.empty()) std::memcpy(FData + FSize, text.data(), text.size());
  FSize += text.size();
}
