// Number texts: TextToNumber fails only with the number failure; what it
// reads agrees with an extended-precision reading of short texts, and with
// the software path on the texts coordinates hold; FormatFixed
// always gives exactly the requested digits, and its text reads back within
// half a unit of its last digit; the fast two-decimal text is the 18-digit
// expansion's wherever it serves.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/Errors.h"
#include "numtext/Extended.h"
#include "numtext/NumText.h"

namespace {

std::size_t DigitCount(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count += c >= '0' && c <= '9';
  return count;
}

void CheckFormat(double value, int precision, int digits) {
  const std::string text = FormatFixed(value, precision, digits);
  if (text.find('E') != std::string::npos || text == "INF" || text == "-INF" || text == "NAN") return;
  const std::size_t point = text.find('.');
  if (digits == 0 ? point != std::string::npos : text.size() - point - 1 != static_cast<std::size_t>(digits))
    std::abort();
  if (std::fabs(value) >= std::pow(10.0, precision - digits)) return;  // precision, not digits, limits it
  const long double back = std::strtold(text.c_str(), nullptr);
  const long double bound = 0.5L * std::pow(10.0L, -digits) + std::fabs(value) * 1e-17L;
  if (std::fabs(back - value) > bound) std::abort();
  if (back == 0 && text[0] == '-') std::abort();  // zero keeps no sign
}

void CheckTwoDecimalsFast(double value) {
  std::string fast, full;
  if (!AppendTwoDecimalsFast(fast, value)) return;
  AppendFormatFixedByExpansion(full, value, FloatPrecision, FloatDigits);
  if (fast != full) std::abort();
}

// The digits of a text of the coordinate form: an optional "-", digits, at
// most one point.
bool CoordinateDigits(std::string_view text, TDecimalDigits& digits, bool& negative) {
  negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t point = text.find('.');
  digits.Integer = text.substr(0, point);
  digits.Fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  const auto allDigits = [](std::string_view part) {
    return part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return allDigits(digits.Integer) && allDigits(digits.Fraction);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  double value = 0;
  try {
    value = TextToNumber(std::string_view(reinterpret_cast<const char*>(data), size));  // exactly sized
  } catch (const EConvertError& error) {
    if (error.Message() != "'" + text + "' is not a valid floating point value") std::abort();
    return 0;
  }
  if (!std::isfinite(value)) std::abort();
  if (DigitCount(text) <= 19 && text.find_first_of("eE") == std::string::npos &&
      value != static_cast<double>(std::strtold(text.c_str(), nullptr)))
    std::abort();
  TDecimalDigits digits;
  bool negative = false;
  if (CoordinateDigits(text, digits, negative) &&
      std::bit_cast<std::uint64_t>(DecimalToDoubleInSoftware(digits, negative)) != std::bit_cast<std::uint64_t>(value))
    std::abort();
  CheckFormat(value, PinPrecision, PinDigits);
  CheckFormat(value, FloatPrecision, FloatDigits);
  CheckFormat(value, 15, 0);
  CheckFormat(value, 6, 3);
  CheckTwoDecimalsFast(value);
  return 0;
}
