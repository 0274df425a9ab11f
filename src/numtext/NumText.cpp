#include "numtext/NumText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

#include "Errors.h"
#include "numtext/Extended.h"
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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

constexpr int MaxFastPower = 22;  // 2^53 x 10^22 still fits 128 bits

constexpr auto PowersOfTen128 = PowersOfTen<TUInt128, MaxFastPower + 1>();
constexpr auto PowersOfTen64 = PowersOfTen<std::uint64_t, 20>();

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
// about 1e-4 to 2^52, where every coordinate lies: magnitude = m 2^e, so
// magnitude 10^k = m 10^k / 2^-e, whose integer part holds 18 or 19 digits
// and whose remainder decides the rounding. False outside that range.
bool ExpandInIntegers(double magnitude, TDecimalForm& form) {
  if (magnitude < std::numeric_limits<double>::min()) return false;  // subnormal
  const auto [m, e] = PartsOf(magnitude);                            // magnitude = m 2^e
  if (e >= 0 || e < -127) return false;
  // floor(log10(2^(e + 52))) + 1 is the exponent N, or N - 1.
  const int lowExponent = (((e + 52) * 78913) >> 18) + 1;
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

namespace {

constexpr double FastValueLimit = 1000;
// How near the fraction of value x 100 may come to one half before the
// fast path works out exactly which side of the half the 18-digit expansion
// lies on (RoundNearHalf): below 10^5 the product's own rounding moves it by
// at most 2^-36, and the expansion, which the "%f" text rounds, lies within
// 0.5 x 10^-15 of the value, 5 x 10^-14 (about 2^-44) of a unit of the second
// decimal. 2^-30 is well above both.
constexpr double DecidingMargin = 0x1p-30;
static_assert(FastValueLimit * 100 < 0x1p17, "the product's rounding is at most 2^-36");

}  // namespace

namespace {

// Near one half, the side of it the 18-digit expansion lies on, from the
// exact product. The magnitude is M 2^-s with M below 2^53 and s from 43 (up
// to 1000) to 62 (from 2^-10, below which no value is near a half), so value x
// 100 is 100 M 2^-s, below 2^60 2^-s: its fraction is exact in integers. The
// expansion lies within half a unit of its 18th digit of the value, 0.5 x
// 10^(E-15) hundredths for 10^E up to the magnitude: its reach, in units of
// 2^-s, is below 4 (see LargestReach). Both the fraction and the half are
// multiples of 4 units, as 100 M and 2^(s-1) are, so a value below the half
// is at least 4 units below it and so is its expansion; a value on or above
// the half has its expansion there too, and rounds away from zero.
std::uint32_t RoundNearHalf(double magnitude) {
  const auto [m, e] = PartsOf(magnitude);
  const int shift = -e;  // s
  const std::uint64_t product = 100 * m;
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  const std::uint64_t fraction = product & (2 * half - 1);
  return static_cast<std::uint32_t>(product >> shift) + (fraction >= half ? 1 : 0);
}

// The largest reach of the expansion, 0.5 x 10^(E-15) x 2^s, over the
// magnitudes below 2^(53-s) and 1000 for each s from 43 to 62: 3.6, for those
// from 0.1 to 0.125.
constexpr double LargestReach() {
  double largest = 0;
  for (int s = 43; s <= 62; ++s) {
    double scale = 1;  // 2^s
    for (int i = 0; i < s; ++i) scale *= 2;
    const double top = std::min(0x1p53 / scale, FastValueLimit);  // of the binade's magnitudes
    double power = 1e-4;                                          // 10^E, the largest below the top
    while (power * 10 < top) power *= 10;
    largest = std::max(largest, 0.5 * power * 1e-15 * scale);
  }
  return largest;
}
static_assert(LargestReach() < 4, "a value below a half is beyond the expansion's reach of it");
static_assert(0.005 > 0x1p-10 && FastValueLimit <= 0x1p10, "a value near a half lies between 2^-10 and 2^10");

}  // namespace

bool RoundToHundredthsFast(double value, THundredths& hundredths) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < FastValueLimit)) return false;  // NaN included
  const double scaled = magnitude * 100;
  auto count = static_cast<std::uint32_t>(scaled);              // its whole part
  const double fraction = scaled - static_cast<double>(count);  // exact
  if (std::fabs(fraction - 0.5) > DecidingMargin)
    count += fraction > 0.5 ? 1 : 0;  // half away from zero
  else
    count = RoundNearHalf(magnitude);
  hundredths = {count, value < 0 && count != 0};  // a value that rounds to zero loses its sign
  return true;
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
