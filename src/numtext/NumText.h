// Number texts: how decimal texts become doubles and doubles become
// fixed-point texts, to the digit and independent of the C locale.
#pragma once

#include <cstdint>
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
// forming the 18-digit expansion (see Hundredths.h); false, with nothing
// appended, for other values.
bool AppendTwoDecimalsFast(std::string& text, double value);

// The pin text's conversion.
constexpr int PinPrecision = 15;
constexpr int PinDigits = 11;
