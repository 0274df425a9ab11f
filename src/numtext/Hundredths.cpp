// Two-decimal texts of values below 1000: rounded to hundredths in double
// arithmetic, with the one doubtful case, a product exactly on a half,
// settled in integers.
#include "numtext/Hundredths.h"

#include <algorithm>
#include <cmath>

#include "numtext/Extended.h"

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
}  // namespace

std::uint32_t RoundNearHalf(double magnitude) {
  const auto [m, e] = PartsOf(magnitude);
  const int shift = -e;  // s
  const std::uint64_t product = 100 * m;
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  const std::uint64_t fraction = product & (2 * half - 1);
  return static_cast<std::uint32_t>(product >> shift) + (fraction >= half ? 1 : 0);
}

namespace {

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
