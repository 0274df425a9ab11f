#include "numtext/NumText.h"

#include <array>
#include <charconv>
#include <cmath>

#include "Errors.h"

char DecimalSeparator = '.';

namespace {

constexpr int ExpansionDigits = 18;

// Past this the digit sum would leave the extended range; further integer
// digits then only scale the value, further fraction digits are beyond any
// precision that survives the rounding to double.
constexpr long double AccumulationLimit = 1e4000L;

// Exponents beyond this overflow or underflow every format anyway.
constexpr long ExponentLimit = 100000;

constexpr std::array<long double, 28> ExactPowersOfTen = [] {
  std::array<long double, 28> powers{};
  long double power = 1;
  for (long double& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

// 10^n; exact up to 10^27, the largest power of ten a 64-bit significand holds.
long double PowerOfTen(long n) {
  if (n < static_cast<long>(ExactPowersOfTen.size())) return ExactPowersOfTen[n];
  return std::pow(10.0L, static_cast<long double>(n));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void InvalidNumber(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

}  // namespace

double TextToNumber(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // The digits accumulate exactly in extended precision (up to 19 of them);
  // scale counts the power of ten they still need.
  long double value = 0;
  long scale = 0;
  bool accepted = false;
  for (; i < n && IsDigit(text[i]); ++i, accepted = true) {
    if (value < AccumulationLimit)
      value = value * 10 + (text[i] - '0');
    else
      ++scale;
  }
  if (i < n && text[i] == DecimalSeparator) {
    accepted = true;
    for (++i; i < n && IsDigit(text[i]); ++i) {
      if (value < AccumulationLimit) {
        value = value * 10 + (text[i] - '0');
        --scale;
      }
    }
  }
  if (!accepted) InvalidNumber(text);

  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    long exponent = 0;
    for (; i < n && IsDigit(text[i]); ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), ExponentLimit);
    scale += negativeExponent ? -exponent : exponent;
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) InvalidNumber(text);

  if (value != 0) {
    scale = std::clamp(scale, -ExponentLimit, ExponentLimit);
    value = scale < 0 ? value / PowerOfTen(-scale) : value * PowerOfTen(scale);
  }
  const double result = static_cast<double>(negative ? -value : value);
  if (!std::isfinite(result)) InvalidNumber(text);
  return result;
}

TDecimalForm DecimalExpansion(double value) {
  TDecimalForm form;
  if (value == 0) return form;
  form.Negative = std::signbit(value);
  // Scientific with 17 digits after the point is exactly 18 significant
  // digits, correctly rounded: "d.ddddddddddddddddde+XX".
  std::array<char, 40> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), std::fabs(value),
                                    std::chars_format::scientific, ExpansionDigits - 1);
  const std::string_view scientific(text.data(), result.ptr - text.data());
  const std::size_t e = scientific.find('e');
  form.Digits.reserve(ExpansionDigits);
  form.Digits += scientific[0];
  form.Digits.append(scientific.substr(2, e - 2));
  int exponent = 0;
  std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                  scientific.data() + scientific.size(), exponent);
  form.Exponent = exponent + 1;
  return form;
}

namespace {

// Rounds to k digits, half away from zero: a 5 or more at digit k + 1 adds
// one to the kept digits, and a carry out of the first gives "1" and N + 1.
void RoundToDigits(TDecimalForm& form, int k) {
  const bool roundUp = form.Digits[k] >= '5';
  form.Digits.resize(k);
  if (!roundUp) return;
  while (!form.Digits.empty() && form.Digits.back() == '9') form.Digits.pop_back();
  if (form.Digits.empty()) {
    form.Digits.assign(1, '1');
    ++form.Exponent;
  } else {
    ++form.Digits.back();
  }
}

std::string ExponentForm(const TDecimalForm& form) {
  std::string text = form.Negative ? "-" : "";
  text += form.Digits[0];
  if (form.Digits.size() > 1) {
    text += '.';
    text.append(form.Digits, 1);
  }
  return text + "E" + std::to_string(form.Exponent - 1);
}

std::string FixedForm(const TDecimalForm& form, int digits) {
  const int n = form.Exponent;
  const int count = static_cast<int>(form.Digits.size());
  std::string text = form.Negative ? "-" : "";
  if (n <= 0) {
    text += '0';
  } else {
    text.append(form.Digits, 0, std::min(n, count));
    if (n > count) text.append(n - count, '0');
  }
  if (digits > 0) {
    text += DecimalSeparator;
    const std::size_t start = text.size();
    if (n < 0) text.append(-n, '0');
    if (n < count) text.append(form.Digits, std::max(n, 0));
    text.resize(start + digits, '0');
  }
  return text;
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

}  // namespace

std::string FormatFixed(double value, int precision, int digits) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  TDecimalForm form = DecimalExpansion(value);
  if (!form.Digits.empty()) {
    const int k = form.Exponent + digits;
    if (k < 0)
      form = {};
    else if (std::min(k, precision) < ExpansionDigits)
      RoundToDigits(form, std::min(k, precision));
  }
  while (!form.Digits.empty() && form.Digits.back() == '0') form.Digits.pop_back();
  if (form.Digits.empty()) form = {};  // a value that rounds to zero loses its sign
  if (form.Exponent > precision) return ExponentForm(form);
  return FixedForm(form, digits);
}

std::string FormatFloat(double value) { return FormatFixed(value, FloatPrecision, FloatDigits); }
