// Unsigned 128-bit integers for the exact number code: the compiler's own
// type where it has one, else a portable pair of 64-bit halves. The portable
// type is always defined, so that tests can check it against the native one.
#pragma once

#include <cstdint>

class TUInt128Halves {
public:
  constexpr TUInt128Halves() = default;
  constexpr TUInt128Halves(std::uint64_t low) : Low(low) {}  // NOLINT(google-explicit-constructor): as an integer
  constexpr TUInt128Halves(std::uint64_t high, std::uint64_t low) : High(high), Low(low) {}

  constexpr explicit operator std::uint64_t() const { return Low; }
  constexpr std::uint64_t HighHalf() const { return High; }

  friend constexpr TUInt128Halves operator+(TUInt128Halves a, TUInt128Halves b) {
    const std::uint64_t low = a.Low + b.Low;
    return {a.High + b.High + (low < a.Low ? 1 : 0), low};
  }
  friend constexpr TUInt128Halves operator-(TUInt128Halves a, TUInt128Halves b) {
    return {a.High - b.High - (a.Low < b.Low ? 1 : 0), a.Low - b.Low};
  }
  // The low 128 bits of the product.
  friend constexpr TUInt128Halves operator*(TUInt128Halves a, TUInt128Halves b) {
    TUInt128Halves product = Multiply64(a.Low, b.Low);
    product.High += a.High * b.Low + a.Low * b.High;
    return product;
  }
  // Shifts by 0 to 127 bits, as for the native type; the callers' shifts
  // stay within that (ExpandInIntegers: below 128 by its exponent check).
  friend constexpr TUInt128Halves operator<<(TUInt128Halves a, int n) {
    if (n == 0) return a;
    if (n >= 64) return {a.Low << (n - 64), 0};
    return {(a.High << n) | (a.Low >> (64 - n)), a.Low << n};
  }
  friend constexpr TUInt128Halves operator>>(TUInt128Halves a, int n) {
    if (n == 0) return a;
    if (n >= 64) return {0, a.High >> (n - 64)};
    return {a.High >> n, (a.Low >> n) | (a.High << (64 - n))};
  }
  friend constexpr TUInt128Halves operator&(TUInt128Halves a, TUInt128Halves b) {
    return {a.High & b.High, a.Low & b.Low};
  }
  friend constexpr TUInt128Halves operator|(TUInt128Halves a, TUInt128Halves b) {
    return {a.High | b.High, a.Low | b.Low};
  }
  friend constexpr bool operator==(TUInt128Halves a, TUInt128Halves b) = default;
  friend constexpr bool operator<(TUInt128Halves a, TUInt128Halves b) {
    return a.High != b.High ? a.High < b.High : a.Low < b.Low;
  }
  friend constexpr bool operator>(TUInt128Halves a, TUInt128Halves b) { return b < a; }
  friend constexpr bool operator<=(TUInt128Halves a, TUInt128Halves b) { return !(b < a); }
  friend constexpr bool operator>=(TUInt128Halves a, TUInt128Halves b) { return !(a < b); }

  // The full product of two 64-bit numbers, from four 32-bit products. The
  // middle sum is at most (2^32 - 1) x 2 + (2^32 - 1)^2 = 2^64 - 1: it never
  // carries out.
  static constexpr TUInt128Halves Multiply64(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t aLow = a & 0xFFFFFFFF, aHigh = a >> 32, bLow = b & 0xFFFFFFFF, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow, highLow = aHigh * bLow, lowHigh = aLow * bHigh;
    static_assert(std::uint64_t{0xFFFFFFFF} * 2 + std::uint64_t{0xFFFFFFFF} * 0xFFFFFFFF == UINT64_MAX);
    const std::uint64_t middle = (lowLow >> 32) + (highLow & 0xFFFFFFFF) + lowHigh;
    return {aHigh * bHigh + (highLow >> 32) + (middle >> 32), (middle << 32) | (lowLow & 0xFFFFFFFF)};
  }

private:
  std::uint64_t High = 0;
  std::uint64_t Low = 0;
};

#if defined(__SIZEOF_INT128__) && !defined(TARNEL_PORTABLE_UINT128)
__extension__ using TUInt128 = unsigned __int128;
constexpr std::uint64_t HighHalf(TUInt128 x) { return static_cast<std::uint64_t>(x >> 64); }
#else
using TUInt128 = TUInt128Halves;
constexpr std::uint64_t HighHalf(TUInt128 x) { return x.HighHalf(); }
#endif
