// Number texts: decimal texts read into doubles exactly, and doubles
// written as fixed-point texts from their 18-digit expansion.
#include "numtext/NumText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

#include "base/Errors.h"
#include "base/Text.h"
#include "numtext/Extended.h"
#include "numtext/Hundredths.h"
#include "numtext/UInt128.h"

char DecimalSeparator = '.';

namespace {

constexpr int ExpansionDigits = TDecimalForm::MaxDigits;

// No text is long enough for an exponent beyond this to be offset by its
// digits; the value then overflows or is zero.
constexpr std::int64_t ExponentLimit = 1'000'000'000'000'000;

template <typename T, std::size_t N>
constexpr std::array<T, N> PowersOfTen() {
  std::array<T, N> powers{};
  T power = 1;
  for (T& p : powers) {
    p = power;
    power = power * 10;
  }
  return powers;
}

[[noreturn]] void InvalidNumber(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

}  // namespace

double TextToNumber(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  TDecimalDigits digits;
  const std::size_t integerStart = i;
  i = SkipDigits(text, i);
  digits.Integer = text.substr(integerStart, i - integerStart);
  bool separator = false;
  if (i < n && text[i] == DecimalSeparator) {
    separator = true;
    const std::size_t fractionStart = ++i;
    i = SkipDigits(text, i);
    digits.Fraction = text.substr(fractionStart, i - fractionStart);
  }
  if (digits.Integer.empty() && !separator) InvalidNumber(text);

  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    for (; i < n && IsDigit(text[i]); ++i)
      digits.Exponent = std::min(digits.Exponent * 10 + (text[i] - '0'), ExponentLimit);
    if (negativeExponent) digits.Exponent = -digits.Exponent;
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) InvalidNumber(text);

  const double result = DecimalToDouble(digits, negative);
  if (!std::isfinite(result)) InvalidNumber(text);
  return result;
}

namespace {

constexpr int MaxFastPower = 22;
constexpr auto PowersOfTen128 = PowersOfTen<TUInt128, MaxFastPower + 1>();
constexpr auto PowersOfTen64 = PowersOfTen<std::uint64_t, 20>();
// A significand below 2^53 times 10^22 (below 2^74) fits 128 bits; 10^23 would too,
// but 22 is as far as the digits of the expansion ever need (see ExpandInIntegers).
static_assert(HighHalf(PowersOfTen128[MaxFastPower]) < (std::uint64_t{1} << (128 - 64 - 53)),
              "2^53 x 10^22 fits 128 bits");

// floor(x log10 2) as (x 78913) >> 18, 78913 being floor(log10 2 x 2^18);
// exact for the exponents the expansion meets, x from -75 to 51 (e from -127
// to -1), as the check below finds with the powers in 128 bits.
constexpr int Log10Of2Times2To18 = 78913;
constexpr int FloorLog10OfPowerOfTwo(int x) { return (x * Log10Of2Times2To18) >> 18; }
constexpr TUInt128Halves Power(unsigned base, int n) {
  TUInt128Halves power = 1;
  for (int i = 0; i < n; ++i) power = power * TUInt128Halves{base};
  return power;
}
// 10^q <= 2^x < 10^(q+1) for q = FloorLog10OfPowerOfTwo(x), for every x
// from `low` to `high`; below 2^0 as 10^-(q+1) < 2^-x <= 10^-q.
constexpr bool FloorLog10IsExact(int low, int high) {
  for (int x = low; x <= high; ++x) {
    const int q = FloorLog10OfPowerOfTwo(x);
    const bool exact = x >= 0 ? q >= 0 && Power(10, q) <= Power(2, x) && Power(2, x) < Power(10, q + 1)
                              : q < 0 && Power(10, -(q + 1)) < Power(2, -x) && Power(2, -x) <= Power(10, -q);
    if (!exact) return false;
  }
  return true;
}
static_assert(FloorLog10IsExact(-127 + 52, -1 + 52), "78913 / 2^18 gives floor(log10 2^x) over the range used");

// x / 10^j through a table of functions, one per j, each with its divisor
// known to the compiler, which turns the division into a multiplication.
template <std::size_t J>
std::uint64_t DivideByPowerOfTen(std::uint64_t x) {
  return x / PowersOfTen64[J];
}
template <std::size_t... J>
constexpr auto PowerOfTenDividerTable(std::index_sequence<J...>) {
  return std::array{&DivideByPowerOfTen<J>...};
}
constexpr auto PowerOfTenDividers = PowerOfTenDividerTable(std::make_index_sequence<PowersOfTen64.size()>());

std::uint64_t DivideByPowerOfTen(std::uint64_t x, int j) { return PowerOfTenDividers[j](x); }

// The 18-digit expansion in integer arithmetic, exact, for magnitudes from
// about 1e-5 to 2^52, where every coordinate lies: magnitude = m 2^e, so
// magnitude 10^k = m 10^k / 2^-e, whose integer part holds 18 or 19 digits
// and whose remainder decides the rounding. False outside that range.
bool ExpandInIntegers(double magnitude, TDecimalForm& form) {
  if (magnitude < std::numeric_limits<double>::min()) return false;  // subnormal
  const auto [m, e] = PartsOf(magnitude);                            // magnitude = m 2^e
  if (e >= 0 || e < -127) return false;
  // floor(log10(2^(e + 52))) + 1 is the exponent N, or N - 1.
  const int lowExponent = FloorLog10OfPowerOfTwo(e + 52) + 1;
  const int k = ExpansionDigits - lowExponent;
  if (k < 0 || k > MaxFastPower) return false;

  const TUInt128 scaled = TUInt128{m} * PowersOfTen128[k];
  const int shift = -e;
  auto digits = static_cast<std::uint64_t>(scaled >> shift);
  const TUInt128 remainder = scaled & ((TUInt128{1} << shift) - 1);
  const TUInt128 half = TUInt128{1} << (shift - 1);
  bool roundUp;
  form.Exponent = lowExponent;
  if (digits >= PowersOfTen64[ExpansionDigits]) {  // one digit too many: it and the remainder decide
    const unsigned last = digits % 10;
    digits /= 10;
    ++form.Exponent;
    roundUp = last > 5 || (last == 5 && (remainder != 0 || digits % 2 == 1));
  } else {
    roundUp = remainder > half || (remainder == half && digits % 2 == 1);
  }
  if (roundUp && ++digits == PowersOfTen64[ExpansionDigits]) {
    digits = PowersOfTen64[ExpansionDigits - 1];
    ++form.Exponent;
  }
  form.Significand = digits;
  form.Count = ExpansionDigits;
  return true;
}

// Any other finite magnitude: scientific with 17 digits after the point is
// exactly 18 significant digits, correctly rounded: "d.ddddddddddddddddde+XX".
void ExpandByText(double magnitude, TDecimalForm& form) {
  std::array<char, 40> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), magnitude, std::chars_format::scientific,
                                    ExpansionDigits - 1);
  const std::string_view scientific(text.data(), result.ptr - text.data());
  const std::size_t e = scientific.find('e');
  std::uint64_t digits = static_cast<unsigned>(scientific[0] - '0');
  for (const char c : scientific.substr(2, e - 2)) digits = digits * 10 + static_cast<unsigned>(c - '0');
  form.Significand = digits;
  form.Count = ExpansionDigits;
  int exponent = 0;
  std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1), scientific.data() + scientific.size(),
                  exponent);
  form.Exponent = exponent + 1;
}

}  // namespace

std::string TDecimalForm::Digits() const {
  std::string text(Count, '0');
  std::uint64_t rest = Significand;
  for (int i = Count - 1; i >= 0; --i, rest /= 10) text[i] = static_cast<char>('0' + rest % 10);
  return text;
}

TDecimalForm DecimalExpansion(double value) {
  TDecimalForm form;
  if (value == 0) return form;
  form.Negative = std::signbit(value);
  if (!ExpandInIntegers(std::fabs(value), form)) ExpandByText(std::fabs(value), form);
  return form;
}

namespace {

// Rounds to k digits, half away from zero: a 5 or more at digit k + 1 adds
// one to the kept digits, and a carry out of the first gives "1" and N + 1.
void RoundToDigits(TDecimalForm& form, int k) {
  const std::uint64_t kept = DivideByPowerOfTen(form.Significand, form.Count - k);
  const bool roundUp = form.Significand - kept * PowersOfTen64[form.Count - k] >= PowersOfTen64[form.Count - k] / 2;
  form.Significand = kept;
  form.Count = k;
  if (roundUp && ++form.Significand == PowersOfTen64[k]) {
    form.Significand = 1;
    form.Count = 1;
    ++form.Exponent;
  }
}

void DropTrailingZeros(TDecimalForm& form) {
  while (form.Count > 0 && form.Significand % 10 == 0) {
    form.Significand /= 10;
    --form.Count;
  }
}

void AppendExponentForm(std::string& text, const TDecimalForm& form) {
  const std::string digits = form.Digits();
  if (form.Negative) text += '-';
  text += digits[0];
  if (form.Count > 1) {
    text += '.';
    text.append(digits, 1);
  }
  text += 'E';
  text += std::to_string(form.Exponent - 1);
}

// Sign, integer part ("0" when N is 0 or less, the first N digits padded
// with zeros otherwise), then the separator and exactly `digits` decimals:
// zeros, with the significand's digits at their places. Rounding kept no
// more than N + digits of them, so the last lands on the last decimal at most.
// Laid out in place: a copy from a scratch buffer would read back as words
// what was just written as bytes, which stalls the processor.
void AppendFixedForm(std::string& text, const TDecimalForm& form, int digits) {
  const int whole = std::max(form.Exponent, 1);
  const std::size_t length = (form.Negative ? 1 : 0) + whole + (digits > 0 ? 1 + digits : 0);
  text.resize(text.size() + length, '0');
  char* const first = text.data() + text.size() - length + (form.Negative ? 1 : 0);  // the integer's first place
  if (form.Negative) first[-1] = '-';
  if (digits > 0) first[whole] = DecimalSeparator;
  std::uint64_t rest = form.Significand;
  for (int i = form.Count - 1; i >= 0; --i) {
    const int place = whole - form.Exponent + i;  // among the integer's and the decimals' places
    first[place + (place >= whole ? 1 : 0)] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
}

void AppendNonFinite(std::string& text, double value) {
  if (std::isnan(value))
    text += "NAN";
  else
    text += value < 0 ? "-INF" : "INF";
}

}  // namespace

void AppendFormatFixedByExpansion(std::string& text, double value, int precision, int digits) {
  if (!std::isfinite(value)) return AppendNonFinite(text, value);
  TDecimalForm form = DecimalExpansion(value);
  if (form.Count > 0) {
    const int k = form.Exponent + digits;
    if (k < 0)
      form = {};
    else if (std::min(k, precision) < ExpansionDigits)
      RoundToDigits(form, std::min(k, precision));
  }
  if (form.Significand == 0) form = {};  // a value that rounds to zero loses its sign
  if (form.Exponent > precision) {
    DropTrailingZeros(form);
    return AppendExponentForm(text, form);
  }
  // The fixed form pads with zeros anyway, so trailing zeros need no dropping.
  AppendFixedForm(text, form, digits);
}

bool AppendTwoDecimalsFast(std::string& text, double value) {
  THundredths hundredths;
  if (!RoundToHundredthsFast(value, hundredths)) return false;
  const std::size_t size = text.size();
  text.resize(size + MaxFastText);
  TTextCursor cursor{text.data() + size};
  PutHundredths(hundredths, cursor);
  text.resize(static_cast<std::size_t>(cursor.Cur - text.data()));
  return true;
}

void AppendFormatFixed(std::string& text, double value, int precision, int digits) {
  if (precision == FloatPrecision && digits == FloatDigits && AppendTwoDecimalsFast(text, value)) return;
  AppendFormatFixedByExpansion(text, value, precision, digits);
}

std::string FormatFixed(double value, int precision, int digits) {
  std::string text;
  AppendFormatFixed(text, value, precision, digits);
  return text;
}

std::string FormatFloat(double value) { return FormatFixed(value, FloatPrecision, FloatDigits); }
