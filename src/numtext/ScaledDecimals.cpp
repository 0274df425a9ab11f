// Decimal texts as digit strings with a scale, multiplied digit by digit.
#include "numtext/ScaledDecimals.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// A decimal as its digits, without the point, and the count of them after it.
struct TDecimal {
  std::string Digits;
  std::size_t Scale = 0;
};

TDecimal Scaled(std::string_view text, std::uint32_t factor) {
  TDecimal decimal;
  const std::size_t point = text.find('.');
  decimal.Scale = point == std::string_view::npos ? 0 : text.size() - point - 1;
  for (const char c : text)
    if (c != '.') decimal.Digits += c;
  // Schoolbook multiplication from the last digit: each step below 10 x 10^9.
  std::uint64_t carry = 0;
  for (auto d = decimal.Digits.rbegin(); d != decimal.Digits.rend(); ++d) {
    carry += static_cast<std::uint64_t>(*d - '0') * factor;
    *d = static_cast<char>('0' + carry % 10);
    carry /= 10;
  }
  for (; carry > 0; carry /= 10) decimal.Digits.insert(decimal.Digits.begin(), static_cast<char>('0' + carry % 10));
  return decimal;
}

// The digits at a common scale, without leading zeros.
std::string AtScale(TDecimal decimal, std::size_t scale) {
  decimal.Digits.append(scale - decimal.Scale, '0');
  const std::size_t first = decimal.Digits.find_first_not_of('0');
  return first == std::string::npos ? std::string() : decimal.Digits.substr(first);
}

// A whole number of at most 9 digits, whose product by a factor of at most
// 10^9 fits 64 bits: the usual limit, compared without any text.
constexpr std::size_t SmallDigits = 9;
static_assert(999'999'999ULL * 1'000'000'000ULL < UINT64_MAX);
std::optional<std::uint64_t> SmallWhole(std::string_view text) {
  if (text.empty() || text.size() > SmallDigits) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

int CompareProducts(std::uint64_t a, std::uint32_t factorA, std::uint64_t b, std::uint32_t factorB) {
  const std::uint64_t x = a * factorA, y = b * factorB;
  return (x > y) - (x < y);
}

}  // namespace

int CompareScaled(std::string_view a, std::uint32_t factorA, std::string_view b, std::uint32_t factorB) {
  if (const auto x = SmallWhole(a), y = SmallWhole(b); x && y) return CompareProducts(*x, factorA, *y, factorB);
  return CompareScaledDigits(a, factorA, b, factorB);
}

int CompareScaledDigits(std::string_view a, std::uint32_t factorA, std::string_view b, std::uint32_t factorB) {
  const TDecimal x = Scaled(a, factorA), y = Scaled(b, factorB);
  const std::size_t scale = std::max(x.Scale, y.Scale);
  const std::string p = AtScale(x, scale), q = AtScale(y, scale);
  if (p.size() != q.size()) return p.size() < q.size() ? -1 : 1;
  const int order = p.compare(q);
  return (order > 0) - (order < 0);
}
