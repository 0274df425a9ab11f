// Number texts: how decimal texts become doubles and doubles become
// fixed-point texts, to the digit and independent of the C locale.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// The decimal point of every conversion; the driver sets it to '.' for the run.
extern char DecimalSeparator;

// A sign, up to 18 significant digits and an exponent: 0.d1d2... x 10^Exponent.
// Zero has no digits, exponent 0 and no sign.
// The digits are held as an integer of exactly Count digits.
struct TDecimalForm {
  static constexpr int MaxDigits = 18;
  bool Negative = false;
  std::uint64_t Significand = 0;
  int Count = 0;
  int Exponent = 0;

  std::string Digits() const;
};

// The magnitude's exact decimal expansion rounded to 18 significant digits
// (ties to even), with the value's sign. Only for finite values.
TDecimalForm DecimalExpansion(double value);

// Blanks, sign, digits, a fraction after DecimalSeparator, an exponent after
// "E", blanks. The value is the text's exact decimal value rounded to a
// 64-bit significand, then to a double (see Extended.h). Raises
// EConvertError "'text' is not a valid floating point value" for any other
// text and for a value beyond the range of a double.
double TextToNumber(std::string_view text);

// Fixed point with exactly `digits` digits after the decimal point, from at
// most `precision` significant digits, rounded half away from zero on the
// 18-digit expansion; exponent form from 10^precision on.
std::string FormatFixed(double value, int precision, int digits);
// The same, appended to `text`: no string of its own.
void AppendFormatFixed(std::string& text, double value, int precision, int digits);
// The same by the 18-digit expansion always.
void AppendFormatFixedByExpansion(std::string& text, double value, int precision, int digits);

// The "%f" conversion of the output templates.
constexpr int FloatPrecision = 18;
constexpr int FloatDigits = 2;
std::string FormatFloat(double value);
// The "%f" text of a value below 1000 in magnitude, appended, without
// forming the 18-digit expansion; false, with nothing appended, for other
// values.
bool AppendTwoDecimalsFast(std::string& text, double value);
constexpr std::size_t MaxFastText = 8;  // "-1000.00"

// The same in two steps, for a caller that writes the text elsewhere: the
// value rounded to hundredths, false for the other values; then
// the text of the hundredths through a cursor with room for MaxFastText bytes.
struct THundredths {
  std::uint32_t Count;  // of the magnitude, below 100,000
  bool Negative;
};
bool RoundToHundredthsFast(double value, THundredths& hundredths);

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
constexpr std::uint32_t Hundredth(std::uint32_t n) {
  return static_cast<std::uint32_t>(n * std::uint64_t{1374389535} >> 37);
}

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

// With no branch on the sign or on the number of digits, which follow no
// pattern from one number to the next.
template <typename TCursor>
[[gnu::always_inline]] inline void PutHundredths(THundredths hundredths, TCursor& out) {
  const auto tens = [](std::size_t pair) { return DigitPairs[2 * pair]; };
  const auto units = [](std::size_t pair) { return DigitPairs[2 * pair + 1]; };
  const std::uint32_t whole = Hundredth(hundredths.Count), cents = hundredths.Count - 100 * whole;
  const std::uint32_t hundreds = Hundredth(whole), belowHundred = whole - 100 * hundreds;
  out.WriteInRoomIf('-', hundredths.Negative);
  out.WriteInRoomIf('1', hundreds == 10);            // 999.995 and above round to 1000.00
  out.WriteInRoomIf(units(hundreds), hundreds > 0);  // "0" for the 10 of 1000
  out.WriteInRoomIf(tens(belowHundred), whole >= 10);
  out.WriteInRoom(units(belowHundred));
  out.WriteInRoom(DecimalSeparator);
  out.WriteInRoom(tens(cents));
  out.WriteInRoom(units(cents));
}

// The pin text's conversion.
constexpr int PinPrecision = 15;
constexpr int PinDigits = 11;
