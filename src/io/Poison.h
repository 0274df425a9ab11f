// Marks spare buffer space off-limits to AddressSanitizer, so that a read one
// byte past a line or past the buffered input is reported even though the
// memory is there; in other builds the marks are nothing.
#pragma once

#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARNEL_POISONING 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TARNEL_POISONING 1
#endif

#ifdef TARNEL_POISONING
#include <sanitizer/asan_interface.h>
#endif

inline void PoisonSpare([[maybe_unused]] const void* start, [[maybe_unused]] std::size_t size) {
#ifdef TARNEL_POISONING
  if (size > 0) ASAN_POISON_MEMORY_REGION(start, size);
#endif
}

inline void UnpoisonSpare([[maybe_unused]] const void* start, [[maybe_unused]] std::size_t size) {
#ifdef TARNEL_POISONING
  if (size > 0) ASAN_UNPOISON_MEMORY_REGION(start, size);
#endif
}
