// The "%f" text of border points with N digits after the decimal point, N
// from 3 to 11, the common case in two steps: a value below 1000 rounded to
// units of 10^-N in double arithmetic where that decides, then the digits
// written through a cursor. Two digits take the hundredths' own path
// (Hundredths.h), which settles every half exactly.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "numtext/Hundredths.h"
#include "numtext/NumText.h"

// The digits a border point may be written with; FloatDigits by default.
constexpr int MinPointDigits = 2;
constexpr int MaxPointDigits = 11;
static_assert(MinPointDigits == FloatDigits);

// 10^n for n from 0 to 11: exact as integers and as doubles.
inline constexpr std::array<std::uint64_t, MaxPointDigits + 1> PowersOfTen = [] {
  std::array<std::uint64_t, MaxPointDigits + 1> powers{};
  std::uint64_t power = 1;
  for (auto& p : powers) p = std::exchange(power, power * 10);
  return powers;
}();

// A magnitude in units of 10^-N, below 10^(N+3) + 1, and its sign.
struct TScaled {
  std::uint64_t Count;
  bool Negative;
};

// How far the 18-digit expansion may lie from the value, half a unit of its
// 18th digit, against the spacing of the doubles near the product, for any
// magnitude m (10^(E-1) <= m < 10^E) and N: at most 0.5 x 10^(E-18+N)
// units, while the product m 10^N is at least 10^(E-1+N) and its spacing at
// least 2^-53 of it. Their ratio, 0.5 x 10^-17 x 2^53, is below 1/2.
constexpr double LargestReachInSpacings = 0.5e-17 * 0x1p53;
static_assert(LargestReachInSpacings < 0.5, "a product within the expansion's reach of a half rounds onto it");
static_assert(FastValueLimit * PowersOfTen[MaxPointDigits] < 0x1p53,
              "every product is below 2^53: its whole part is exact, and so is its fraction");

// The value rounded to units of 10^-Digits as the "%f" rule rounds it, half
// away from zero on the 18-digit expansion; false for a magnitude of 1000 or
// more, not a number, or a product exactly on a half, where the expansion
// decides (FormatFixed). The product is the exact m 10^N rounded to a double
// and count + 0.5 is a double: rounding keeps order, so a product off the
// half has the exact value on its side; and an expansion that reaches the
// half (or passes it, which rounding to 18 digits, in order too, cannot)
// belongs to a value within its reach, whose product rounds onto the half.
template <int Digits>
[[gnu::always_inline]] inline bool RoundToDigitsFast(double value, TScaled& scaled) {
  static_assert(Digits > MinPointDigits && Digits <= MaxPointDigits);
  constexpr auto Scale = static_cast<double>(PowersOfTen[Digits]);
  const double magnitude = std::fabs(value);
  if (!(magnitude < FastValueLimit)) return false;  // NaN included
  const double product = magnitude * Scale;
  auto count = static_cast<std::uint64_t>(product);
  const double fraction = product - static_cast<double>(count);  // exact
  if (fraction == 0.5) return false;
  count += fraction > 0.5 ? 1 : 0;            // half away from zero
  scaled = {count, value < 0 && count != 0};  // a value that rounds to zero loses its sign
  return true;
}

// The longest text RoundToDigitsFast's values make: "-1000." and the digits.
template <int Digits>
constexpr std::size_t MaxDigitsText = 6 + Digits;

// The Digits digits of a fraction below 10^Digits, a pair at a time in
// 32-bit arithmetic, eight digits at most to each 32-bit part.
template <int Digits, typename TCursor>
[[gnu::always_inline]] inline void PutFraction(std::uint64_t fraction, TCursor& out) {
  if constexpr (Digits > 8) {
    PutFraction<Digits - 8>(fraction / PowersOfTen[8], out);
    PutFraction<8>(fraction % PowersOfTen[8], out);
  } else {
    auto rest = static_cast<std::uint32_t>(fraction);
    if constexpr (Digits % 2 == 1) {
      constexpr auto Lead = static_cast<std::uint32_t>(PowersOfTen[Digits - 1]);
      out.WriteInRoom(static_cast<char>('0' + rest / Lead));
      rest %= Lead;
    }
    [&]<int... Pairs>(std::integer_sequence<int, Pairs...>) {
      const auto pair = [&](int left) {  // the pair with `left` digits after it
        const auto power = static_cast<std::uint32_t>(PowersOfTen[static_cast<std::size_t>(left)]);
        const std::size_t value = rest / power % 100;
        out.WriteInRoom(DigitPairs[2 * value]);
        out.WriteInRoom(DigitPairs[2 * value + 1]);
      };
      (pair(Digits / 2 * 2 - 2 - 2 * Pairs), ...);
      static_cast<void>(pair);  // no pair where Digits is 1
    }
    (std::make_integer_sequence<int, Digits / 2>());
  }
}

// The text of the scaled value, at most MaxDigitsText bytes.
template <int Digits, typename TCursor>
[[gnu::always_inline]] inline void PutScaled(TScaled scaled, TCursor& out) {
  constexpr std::uint64_t Unit = PowersOfTen[Digits];
  const auto whole = static_cast<std::uint32_t>(scaled.Count / Unit);  // 0 to 1000
  const std::uint64_t fraction = scaled.Count - whole * Unit;
  const std::uint32_t hundreds = Hundredth(whole), belowHundred = whole - 100 * hundreds;
  out.WriteInRoomIf('-', scaled.Negative);
  out.WriteInRoomIf('1', hundreds == 10);  // 1000
  const auto tens = [](std::size_t pair) { return DigitPairs[2 * pair]; };
  const auto units = [](std::size_t pair) { return DigitPairs[2 * pair + 1]; };
  out.WriteInRoomIf(units(hundreds), hundreds > 0);
  out.WriteInRoomIf(tens(belowHundred), whole >= 10);
  out.WriteInRoom(units(belowHundred));
  out.WriteInRoom(DecimalSeparator);
  PutFraction<Digits>(fraction, out);
}
