// The 80-bit extended format's arithmetic (64-bit significand), in which
// number texts are read and coordinates are summed, exact to the bit on every
// platform. Where long double is that format (the x87) the hardware does it;
// elsewhere, or with TARNEL_SOFT_EXTENDED, this module does it in integers.
//
// The one rounding rule: every result is the exact value rounded to the
// nearest 64-bit significand, ties to even, the exponent unbounded; a result
// stored as a double is then rounded again, to the nearest double, ties to
// even, subnormals as the double format has them, beyond its range an
// infinity.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <string_view>

// Whether the x87 does the extended arithmetic is the build's choice
// (TARNEL_HARDWARE_EXTENDED, see CMakeLists.txt), and holds only where
// long double is that format.
#ifndef TARNEL_HARDWARE_EXTENDED
#error "the build says whether the x87 does the extended arithmetic"
#endif
inline constexpr bool HardwareExtended = TARNEL_HARDWARE_EXTENDED && std::numeric_limits<long double>::digits == 64;

// (-1)^Negative x Significand x 2^Exponent; the significand's top bit is
// set, or the significand is 0 for a zero.
struct TExtended {
  bool Negative = false;
  std::int64_t Exponent = 0;
  std::uint64_t Significand = 0;

  bool operator==(const TExtended&) const = default;
};

TExtended ExtendedFromDouble(double value);  // exact

// A double above zero, finite and not subnormal, as Significand x
// 2^Exponent, the significand from 2^52 to below 2^53.
struct TDoubleParts {
  std::uint64_t Significand;
  int Exponent;
};
// The exponent field less the bias, 1023, and the 52 bits after the point.
constexpr int DoublePartsBias = 1075;
static_assert(DoublePartsBias ==
              std::numeric_limits<double>::max_exponent - 1 + std::numeric_limits<double>::digits - 1);
inline TDoubleParts PartsOf(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  return {(bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52),
          static_cast<int>(bits >> 52) - DoublePartsBias};
}
double ExtendedToDouble(const TExtended& value);
TExtended ExtendedAdd(const TExtended& a, const TExtended& b);
TExtended ExtendedDivide(const TExtended& a, std::uint32_t divisor);  // divisor above 0

// A number text's digits, "0" to "9" only and of any length: the integer
// digits and then the fraction digits, as one string of digits, times
// 10^Exponent.
struct TDecimalDigits {
  std::string_view Integer;
  std::string_view Fraction;
  std::int64_t Exponent = 0;
};

// Exact for every value whose double is finite and not zero; a value beyond
// 10^310 comes out beyond the double range, one below 10^-330 as zero.
TExtended ExtendedFromDecimal(const TDecimalDigits& digits);

// The two computations of the program, each on the hardware where it has the
// format and the case is simple, else in software, and stored as a double:
// the decimal value, negated if asked;
double DecimalToDouble(const TDecimalDigits& digits, bool negative);
double DecimalToDoubleInSoftware(const TDecimalDigits& digits, bool negative);
// and (minutes / 60 + degrees) + seconds / 3600.
double SexagesimalToDouble(double degrees, double minutes, double seconds);
double SexagesimalToDoubleInSoftware(double degrees, double minutes, double seconds);
// The software path's two ways: whole numbers from 0 to 2^32, the usual
// case, by one division, false where that could round otherwise; and every
// value by the extended steps.
bool SexagesimalOfWholeNumbers(double degrees, double minutes, double seconds, double& result);
double SexagesimalToDoubleBySteps(double degrees, double minutes, double seconds);
