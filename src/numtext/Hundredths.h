// The two-decimal "%f" text of the border points, the common case in two
// steps: a value below 1000 rounded to hundredths, then their digits written
// through a cursor, into the output buffer or a char array.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "numtext/NumText.h"

constexpr std::size_t MaxFastText = 8;  // "-1000.00"

// A magnitude in hundredths, at most 100,000 (999.995 and above round to
// 1000.00), and its sign.
struct THundredths {
  std::uint32_t Count;
  bool Negative;
};

constexpr double FastValueLimit = 1000;
static_assert(FastValueLimit * 100 < 0x1p17, "every count and count + 0.5 is exact in a double");

// A magnitude whose product by 100 rounds to a count and a half exactly: the
// hundredths the 18-digit expansion rounds to (see Hundredths.cpp).
std::uint32_t RoundNearHalf(double magnitude);

// The value rounded to hundredths as the "%f" rule rounds it, half away from
// zero on the 18-digit expansion; false for a magnitude of 1000 or more, or
// not a number. Inlined where points are written.
[[gnu::always_inline]] inline bool RoundToHundredthsFast(double value, THundredths& hundredths) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < FastValueLimit)) return false;  // NaN included
  const double scaled = magnitude * 100;
  auto count = static_cast<std::uint32_t>(scaled);              // its whole part
  const double fraction = scaled - static_cast<double>(count);  // exact
  // The product is the exact value x 100 rounded to the nearest double, and
  // count + 0.5 is a double: rounding keeps the order, so a product above
  // or below the half has the exact value on the same side, and so has the
  // expansion (RoundNearHalf: it lies within reach of the value, a value off
  // the half lies 4 units or more from it). Only a product on the half is
  // in doubt.
  if (fraction != 0.5)
    count += fraction > 0.5 ? 1 : 0;  // half away from zero
  else
    count = RoundNearHalf(magnitude);
  hundredths = {count, value < 0 && count != 0};  // a value that rounds to zero loses its sign
  return true;
}

// "00" to "99", two bytes each.
inline constexpr std::array<char, 200> DigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// n / 100 by one multiplication, so that no compiler leaves a division in
// the loop: 2^37 / 100 rounded up exceeds it by 28 / 100, which times any n
// below 2^32 stays under 2^37 / 100, so the floor is exact for every n.
constexpr std::uint64_t HundredthFactor = 1374389535;
static_assert(HundredthFactor * 100 - (std::uint64_t{1} << 37) == 28, "2^37 / 100 rounded up");
static_assert(std::uint64_t{UINT32_MAX} * 28 < (std::uint64_t{1} << 37), "its excess never reaches a unit");
constexpr std::uint32_t Hundredth(std::uint32_t n) { return static_cast<std::uint32_t>(n * HundredthFactor >> 37); }

// A cursor over a char array with room for all that is written, with the
// one-byte writes of the output stream's cursor (TWriteCursor).
struct TTextCursor {
  char* Cur;
  void WriteInRoom(char c) { *Cur++ = c; }
  void WriteInRoomIf(char c, bool take) {
    *Cur = c;
    Cur += take;
  }
};

// The text of the hundredths, at most MaxFastText bytes, with no branch on
// the sign or on the number of digits, which follow no pattern from one
// number to the next.
template <typename TCursor>
[[gnu::always_inline]] inline void PutHundredths(THundredths hundredths, TCursor& out) {
  const auto tens = [](std::size_t pair) { return DigitPairs[2 * pair]; };
  const auto units = [](std::size_t pair) { return DigitPairs[2 * pair + 1]; };
  const std::uint32_t whole = Hundredth(hundredths.Count), cents = hundredths.Count - 100 * whole;
  const std::uint32_t hundreds = Hundredth(whole), belowHundred = whole - 100 * hundreds;
  out.WriteInRoomIf('-', hundredths.Negative);
  out.WriteInRoomIf('1', hundreds == 10);            // 1000.00
  out.WriteInRoomIf(units(hundreds), hundreds > 0);  // "0" for the 10 of 1000
  out.WriteInRoomIf(tens(belowHundred), whole >= 10);
  out.WriteInRoom(units(belowHundred));
  out.WriteInRoom(DecimalSeparator);
  out.WriteInRoom(tens(cents));
  out.WriteInRoom(units(cents));
}
