// The 80-bit extended format in integers: conversions, addition, division,
// and decimal texts of any length read exactly.
#include "numtext/Extended.h"

#include <algorithm>
#include <array>
#include <bit>
#include <stdexcept>

#include "numtext/UInt128.h"

namespace {

constexpr int SignificandBits = 64;
constexpr int DoubleSignificandBits = 53;
constexpr int DoubleMinExponent = -1022;  // of the smallest normal double, 2^-1022
constexpr int DoubleMaxExponent = 1023;
constexpr std::uint64_t TopBit = std::uint64_t{1} << 63;

// The rounding rule, for both roundings: to nearest, ties to even.
bool RoundsUp(bool lowestKeptBit, bool roundBit, bool sticky) { return roundBit && (sticky || lowestKeptBit); }

// The 64 bits kept, the bit after them and whether any bit below that is
// set; `exponent` is that of the lowest bit kept.
TExtended Rounded(bool negative, std::uint64_t kept, bool roundBit, bool sticky, std::int64_t exponent) {
  if (RoundsUp(kept & 1, roundBit, sticky) && ++kept == 0) {  // a carry out: 2^64
    kept = TopBit;
    ++exponent;
  }
  return {negative, exponent, kept};
}

int BitLength(TUInt128 x) {
  const std::uint64_t high = HighHalf(x);
  return high != 0 ? 64 + std::bit_width(high) : std::bit_width(static_cast<std::uint64_t>(x));
}

// wide x 2^exponent, and below it something more if `sticky`. Callers with a
// sticky part give at least 66 bits, so that the part lies below the round bit.
TExtended RoundedFrom128(bool negative, TUInt128 wide, std::int64_t exponent, bool sticky) {
  const int length = BitLength(wide);
  if (length <= SignificandBits)
    return {negative, exponent - (SignificandBits - length),
            static_cast<std::uint64_t>(wide) << (SignificandBits - length)};
  const int shift = length - SignificandBits;
  const TUInt128 below = wide & ((TUInt128{1} << (shift - 1)) - 1);
  const bool roundBit = static_cast<std::uint64_t>(wide >> (shift - 1)) & 1;
  return Rounded(negative, static_cast<std::uint64_t>(wide >> shift), roundBit, sticky || below != 0, exponent + shift);
}

}  // namespace

TExtended ExtendedFromDouble(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const auto field = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  if (field == 0 && m == 0) return {negative, 0, 0};
  std::int64_t exponent = -1074;  // of a subnormal's lowest bit
  if (field != 0) {
    m |= std::uint64_t{1} << 52;
    exponent = field - 1075;
  }
  const int shift = std::countl_zero(m);
  return {negative, exponent - shift, m << shift};
}

double ExtendedToDouble(const TExtended& value) {
  const std::uint64_t sign = value.Negative ? TopBit : 0;
  if (value.Significand == 0) return std::bit_cast<double>(sign);
  const std::int64_t lead = value.Exponent + SignificandBits - 1;  // the power of two of the top bit
  constexpr std::uint64_t Infinity = std::uint64_t{0x7FF} << 52;
  if (lead > DoubleMaxExponent) return std::bit_cast<double>(sign | Infinity);
  // Bits kept: 53 for a normal double, fewer for a subnormal, none below it.
  const std::int64_t keep =
      lead >= DoubleMinExponent ? DoubleSignificandBits : lead - DoubleMinExponent + DoubleSignificandBits;
  if (keep < 0) return std::bit_cast<double>(sign);
  const auto shift = static_cast<int>(SignificandBits - keep);  // 11 to 64
  const std::uint64_t kept = shift == 64 ? 0 : value.Significand >> shift;
  const bool roundBit = (value.Significand >> (shift - 1)) & 1;
  const bool sticky = (value.Significand & ((std::uint64_t{1} << (shift - 1)) - 1)) != 0;
  // The exponent field and the significand as one integer: the kept bits
  // with their top bit, bit 52, which adds one to the field, so the biased
  // exponent goes in less one (a subnormal keeps no bit 52 and a field of
  // 0). A round up that carries reaches the next exponent, or infinity.
  std::uint64_t bits = kept;
  if (lead >= DoubleMinExponent) bits += static_cast<std::uint64_t>(lead + DoubleMaxExponent - 1) << 52;
  if (RoundsUp(kept & 1, roundBit, sticky)) ++bits;
  return std::bit_cast<double>(sign | bits);
}

namespace {

// The operations, inlined where the program uses them: the divisor is then
// a constant, and the divisions become multiplications.
[[gnu::always_inline]] inline TExtended Add(const TExtended& a, const TExtended& b) {
  if (a.Significand == 0 && b.Significand == 0) return {a.Negative && b.Negative, 0, 0};
  if (b.Significand == 0) return a;
  if (a.Significand == 0) return b;
  const bool aLarger = a.Exponent != b.Exponent ? a.Exponent > b.Exponent : a.Significand >= b.Significand;
  const TExtended& large = aLarger ? a : b;
  const TExtended& small = aLarger ? b : a;
  // The larger significand in bits H + 1 to H + 64 (H the headroom), the
  // smaller aligned below it; what is shifted out of the smaller one becomes
  // a lowest bit of its own, bit 0. Shifted out only at a distance of 2 or
  // more, where the result keeps its top bit at H + 63 or above, so its
  // round bit at H - 1 or above: with H >= 2 every rounding boundary is a
  // multiple of 2, and the true sum and the one with that bit lie strictly
  // between the same two even numbers, so they round alike. The sum's top
  // bit, H + 65 at most, must fit 128 bits.
  constexpr int Headroom = 60;
  static_assert(Headroom >= 2 && Headroom + SignificandBits + 1 < 128, "the sticky bit below every boundary");
  constexpr int Width = Headroom + SignificandBits;  // beyond this the smaller is all shifted out
  const std::int64_t distance = large.Exponent - small.Exponent;
  const TUInt128 larger = TUInt128{large.Significand} << (Headroom + 1);
  TUInt128 smaller = 1;
  if (distance < Width) {
    const TUInt128 full = TUInt128{small.Significand} << Headroom;
    const TUInt128 aligned = full >> static_cast<int>(distance);
    smaller = (aligned << 1) | TUInt128{(aligned << static_cast<int>(distance)) != full ? 1u : 0u};
  }
  const bool sameSign = a.Negative == b.Negative;
  const TUInt128 sum = sameSign ? larger + smaller : larger - smaller;
  if (sum == 0) return {};  // x - x is +0
  return RoundedFrom128(large.Negative, sum, large.Exponent - Headroom - 1, false);
}

[[gnu::always_inline]] inline TExtended Divide(const TExtended& a, std::uint32_t divisor) {
  if (a.Significand == 0) return a;
  // (significand x 2^64) / divisor by 32-bit long division; the quotient has
  // at least 96 bits, the remainder decides the sticky part.
  const std::array<std::uint32_t, 4> numerator = {static_cast<std::uint32_t>(a.Significand >> 32),
                                                  static_cast<std::uint32_t>(a.Significand), 0, 0};
  TUInt128 quotient = 0;
  std::uint64_t remainder = 0;
  for (const std::uint32_t limb : numerator) {
    const std::uint64_t part = (remainder << 32) | limb;
    quotient = (quotient << 32) | TUInt128{part / divisor};
    remainder = part % divisor;
  }
  return RoundedFrom128(a.Negative, quotient, a.Exponent - SignificandBits, remainder != 0);
}

}  // namespace

TExtended ExtendedAdd(const TExtended& a, const TExtended& b) { return Add(a, b); }
TExtended ExtendedDivide(const TExtended& a, std::uint32_t divisor) { return Divide(a, divisor); }

double SexagesimalToDoubleBySteps(double degrees, double minutes, double seconds) {
  const TExtended sum = Add(Divide(ExtendedFromDouble(minutes), 60), ExtendedFromDouble(degrees));
  return ExtendedToDouble(Add(sum, Divide(ExtendedFromDouble(seconds), 3600)));
}

namespace {

// A whole number from 0 to 2^32, and it, or -1 for any other value.
std::int64_t SmallWhole(double value) {
  if (!(value >= 0 && value <= 0x1p32)) return -1;  // NaN included
  const auto whole = static_cast<std::int64_t>(value);
  return static_cast<double>(whole) == value ? whole : -1;
}

}  // namespace

bool SexagesimalOfWholeNumbers(double degrees, double minutes, double seconds, double& result) {
  const std::int64_t d = SmallWhole(degrees), m = SmallWhole(minutes), s = SmallWhole(seconds);
  // Zero is left to the steps, which keep the signs of zeros.
  if (d < 0 || m < 0 || s < 0 || d + m + s == 0) return false;
  // The exact value is n / 3600, n below 2^45; q is it rounded, k 2^e.
  const std::int64_t n = 3600 * d + 60 * m + s;
  const double q = static_cast<double>(n) / 3600;
  const auto [k, e] = PartsOf(q);
  const int shift = -e;  // 20 to 64 for n / 3600 from 2^-12 to 2^33: its significand has 53 bits
  // The exact value less q in units of 2^e / 3600: n 2^-e - 3600 k, at most
  // 1800 in magnitude, so the arithmetic modulo 2^64 gives it exactly.
  const std::uint64_t scaledN = shift >= 64 ? 0 : static_cast<std::uint64_t>(n) << shift;
  const auto offset = static_cast<std::int64_t>(scaledN - 3600 * k);
  // The halfway points to q's neighbours stand 1800 units above and below;
  // below a power of two the neighbour is nearer, but there q is the exact
  // value: k = 2^52 makes n 2^-e - 3600 k a multiple of 2^shift >= 2^20, so
  // an offset within 1800 of it is 0. The four extended roundings of the
  // steps move the sum by less than 4 x 2^-64 of it, all terms being
  // positive, and the sum is below 2^53 units of 2^e, 3600 x 2^53 of ours:
  // less than 3600 / 2^9, about 7.03 units. Outside that margin the steps
  // round to q as well.
  constexpr std::int64_t Margin = 8;
  static_assert(Margin * 512 > 3600, "the margin covers the steps' four roundings");
  if (offset + Margin >= 1800 || offset - Margin <= -1800) return false;
  result = q;  // the stored double, also where the division ran wider
  return true;
}

double SexagesimalToDoubleInSoftware(double degrees, double minutes, double seconds) {
  if (double result; SexagesimalOfWholeNumbers(degrees, minutes, seconds, result)) return result;
  return SexagesimalToDoubleBySteps(degrees, minutes, seconds);
}

double SexagesimalToDouble(double degrees, double minutes, double seconds) {
  if constexpr (HardwareExtended) {
    const auto d = static_cast<long double>(degrees);
    const auto m = static_cast<long double>(minutes);
    const auto s = static_cast<long double>(seconds);
    return static_cast<double>((m / 60 + d) + s / 3600);
  }
  return SexagesimalToDoubleInSoftware(degrees, minutes, seconds);
}

// --- Decimal texts ---

namespace {

// Digits beyond this many significant ones only matter by being there: a
// value halfway between two 64-bit significands, in the range where a double
// is finite and not zero, is m x 2^k with m below 2^65 and k above -1170, and
// m x 5^-k has fewer than 840 digits. So the first 850 digits and a final 1
// for the rest fall on the same side of every such halfway value.
constexpr std::size_t MaxSignificantDigits = 850;
// Values from 10^309 on overflow a double; values below 10^-330 are less than
// half its smallest subnormal, 2^-1075, by far more than 2^-64 of themselves.
constexpr std::int64_t OverflowDecimalExponent = 309;
constexpr std::int64_t ZeroDecimalExponent = -330;
constexpr std::int64_t BeyondDoubleExponent = 1 << 20;  // the exponent given to an overflowing value

constexpr std::uint32_t TenToNine = 1000000000;
constexpr std::array<std::uint32_t, 10> SmallPowersOfTen = {1,      10,      100,      1000,      10000,
                                                            100000, 1000000, 10000000, 100000000, TenToNine};

// An upper bound of the bits of 10^n: log2(10) is below 3.322.
constexpr std::int64_t PowerOfTenBits(std::int64_t n) { return n * 3322 / 1000 + 1; }

// The largest number ExtendedFromDecimal builds. With a negative exponent,
// the digits, at most MaxSignificantDigits + 1 of them, shifted left until
// the quotient by 10^-exponent has 68 bits; the exponent is at least
// ZeroDecimalExponent less those digits, as the first digit is not below
// 10^ZeroDecimalExponent. With none, below 10^OverflowDecimalExponent.
constexpr std::int64_t MaxDigitsRead = MaxSignificantDigits + 1;
constexpr std::int64_t LargestDivisorPower = -ZeroDecimalExponent + MaxDigitsRead - 1;
constexpr std::int64_t MaxNaturalBits =
    std::max({PowerOfTenBits(MaxDigitsRead), SignificandBits + 4 + PowerOfTenBits(LargestDivisorPower),
              PowerOfTenBits(OverflowDecimalExponent)});
static_assert(MaxNaturalBits == 3988, "the bits of 10^1180 and 68 more");

// A natural number of 32-bit limbs, lowest first, in a fixed space of
// MaxNaturalBits, and a limb for a carry before it is dropped again.
class TBigNatural {
public:
  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (int i = 0; i < Size; ++i) {
      const std::uint64_t product = std::uint64_t{Limbs[i]} * factor + carry;
      Limbs[i] = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) {
      CheckRoom(1);
      Limbs[Size++] = static_cast<std::uint32_t>(carry);
    }
  }

  // Divides in place; returns the remainder.
  std::uint32_t DivideBy(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (int i = Size - 1; i >= 0; --i) {
      const std::uint64_t part = (remainder << 32) | Limbs[i];
      Limbs[i] = static_cast<std::uint32_t>(part / divisor);
      remainder = part % divisor;
    }
    while (Size > 0 && Limbs[Size - 1] == 0) --Size;
    return static_cast<std::uint32_t>(remainder);
  }

  void ShiftLeft(int bits) {
    const int limbs = bits / 32, rest = bits % 32;
    if (Size == 0 || bits == 0) return;
    CheckRoom(limbs + 1);
    const std::uint32_t spill = rest != 0 ? Limbs[Size - 1] >> (32 - rest) : 0;
    for (int i = Size - 1; i >= 0; --i) {
      const std::uint32_t below = rest != 0 && i > 0 ? Limbs[i - 1] >> (32 - rest) : 0;
      Limbs[i + limbs] = (Limbs[i] << rest) | below;
    }
    for (int i = 0; i < limbs; ++i) Limbs[i] = 0;
    Size += limbs;
    if (spill != 0) Limbs[Size++] = spill;
  }

  int BitLength() const { return Size == 0 ? 0 : (Size - 1) * 32 + std::bit_width(Limbs[Size - 1]); }

  bool Bit(int n) const { return ((Limbs[n / 32] >> (n % 32)) & 1) != 0; }

  bool AnyBitBelow(int n) const {
    for (int i = 0; i < n / 32; ++i)
      if (Limbs[i] != 0) return true;
    return n % 32 != 0 && (Limbs[n / 32] & ((std::uint32_t{1} << (n % 32)) - 1)) != 0;
  }

  // The 64 bits from bit `from` up.
  std::uint64_t Bits64(int from) const {
    const int limb = from / 32, rest = from % 32;
    const std::uint64_t low = Limb(limb) | (Limb(limb + 1) << 32);
    return rest == 0 ? low : (low >> rest) | (Limb(limb + 2) << (64 - rest));
  }

private:
  std::uint64_t Limb(int i) const { return i < Size ? Limbs[i] : 0; }
  // Room for `count` more limbs, checked before they are written: the bound
  // above keeps every number within the capacity.
  void CheckRoom(int count) const {
    if (count > Capacity - Size) throw std::length_error("a number beyond its bound");
  }

  static constexpr int Capacity = static_cast<int>(MaxNaturalBits / 32 + 2);
  std::array<std::uint32_t, Capacity> Limbs;  // only the first Size are set
  int Size = 0;
};

// The integer digits and the fraction digits read as one string.
class TDigitString {
public:
  explicit TDigitString(const TDecimalDigits& digits) : Integer(digits.Integer), Fraction(digits.Fraction) {}
  std::size_t Size() const { return Integer.size() + Fraction.size(); }
  unsigned At(std::size_t i) const {
    return static_cast<unsigned>((i < Integer.size() ? Integer[i] : Fraction[i - Integer.size()]) - '0');
  }

private:
  std::string_view Integer;
  std::string_view Fraction;
};

// The digits from `first`, `count` of them, as a natural number.
void ReadDigits(const TDigitString& digits, std::size_t first, std::size_t count, TBigNatural& number) {
  for (std::size_t done = 0; done < count;) {
    const std::size_t chunk = std::min<std::size_t>(9, count - done);
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < chunk; ++i) value = value * 10 + digits.At(first + done + i);
    number.MultiplyAdd(SmallPowersOfTen[chunk], value);
    done += chunk;
  }
}

// number x 2^exponent, with `sticky` for something more below it.
TExtended RoundedFromBig(const TBigNatural& number, std::int64_t exponent, bool sticky) {
  const int length = number.BitLength();
  if (length <= SignificandBits)
    return {false, exponent - (SignificandBits - length), number.Bits64(0) << (SignificandBits - length)};
  const int lowest = length - SignificandBits;
  return Rounded(false, number.Bits64(lowest), number.Bit(lowest - 1), sticky || number.AnyBitBelow(lowest - 1),
                 exponent + lowest);
}

}  // namespace

TExtended ExtendedFromDecimal(const TDecimalDigits& decimal) {
  const TDigitString digits(decimal);
  std::size_t first = 0, end = digits.Size();
  while (first < end && digits.At(first) == 0) ++first;
  while (end > first && digits.At(end - 1) == 0) --end;
  if (first == end) return {};
  // value = digits[first, end) x 10^exponent
  std::int64_t exponent = decimal.Exponent - static_cast<std::int64_t>(decimal.Fraction.size()) +
                          static_cast<std::int64_t>(digits.Size() - end);
  const auto count = static_cast<std::int64_t>(end - first);
  const std::int64_t leading = count - 1 + exponent;  // the power of ten of the first digit
  if (leading >= OverflowDecimalExponent) return {false, BeyondDoubleExponent, TopBit};
  if (leading < ZeroDecimalExponent) return {};

  TBigNatural number;
  if (end - first > MaxSignificantDigits) {
    // The last digit is not 0, so the digits left out are not all zeros.
    ReadDigits(digits, first, MaxSignificantDigits, number);
    number.MultiplyAdd(10, 1);
    exponent += count - static_cast<std::int64_t>(MaxSignificantDigits) - 1;
  } else {
    ReadDigits(digits, first, end - first, number);
  }
  if (exponent >= 0) {
    for (; exponent >= 9; exponent -= 9) number.MultiplyAdd(TenToNine, 0);
    number.MultiplyAdd(SmallPowersOfTen[exponent], 0);
    return RoundedFromBig(number, 0, false);
  }
  // number / 10^-exponent, shifted first so that the quotient has 66 bits or
  // more; the remainders say whether anything is left below it.
  const std::int64_t shift =
      std::max<std::int64_t>(0, SignificandBits + 4 + PowerOfTenBits(-exponent) - number.BitLength());
  number.ShiftLeft(static_cast<int>(shift));
  bool sticky = false;
  for (exponent = -exponent; exponent >= 9; exponent -= 9) sticky |= number.DivideBy(TenToNine) != 0;
  sticky |= number.DivideBy(SmallPowersOfTen[exponent]) != 0;
  return RoundedFromBig(number, -shift, sticky);
}

double DecimalToDoubleInSoftware(const TDecimalDigits& digits, bool negative) {
  TExtended value = ExtendedFromDecimal(digits);
  value.Negative = negative;
  return ExtendedToDouble(value);
}

namespace {

// Up to 19 digits fit a 64-bit integer, and so the extended significand.
constexpr std::size_t ExactDigits = 19;
static_assert(UINT64_MAX / 10 >= 999'999'999'999'999'999, "19 nines fit 64 bits");
constexpr std::uint64_t TwoTo53 = std::uint64_t{1} << 53;
// 10^27 is the largest power of ten a 64-bit significand holds exactly:
// 10^n is 5^n 2^n, exact while 5^n fits 64 bits.
constexpr int MaxExactPowerOfTen = 27;
constexpr std::uint64_t FivePower(int n) { return n == 0 ? 1 : 5 * FivePower(n - 1); }
static_assert(FivePower(MaxExactPowerOfTen) > UINT64_MAX / 5, "5^27 fits 64 bits, 5^28 does not");

constexpr std::array<long double, MaxExactPowerOfTen + 1> ExactPowersOfTen = [] {
  std::array<long double, MaxExactPowerOfTen + 1> powers{};
  long double power = 1;
  for (long double& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

std::uint64_t DigitValue(const TDecimalDigits& digits) {
  std::uint64_t sum = 0;
  for (const char c : digits.Integer) sum = sum * 10 + static_cast<unsigned>(c - '0');
  for (const char c : digits.Fraction) sum = sum * 10 + static_cast<unsigned>(c - '0');
  return sum;
}

}  // namespace

double DecimalToDouble(const TDecimalDigits& digits, bool negative) {
  if (digits.Integer.size() + digits.Fraction.size() <= ExactDigits) {
    const std::uint64_t sum = DigitValue(digits);
    const std::int64_t scale = digits.Exponent - static_cast<std::int64_t>(digits.Fraction.size());
    // A whole number below 2^53 is the same in every format.
    if (scale == 0 && sum < TwoTo53) return negative ? -static_cast<double>(sum) : static_cast<double>(sum);
    // An exact sum and an exact power of ten, divided or multiplied: one rounding.
    if constexpr (HardwareExtended) {
      if (scale >= -MaxExactPowerOfTen && scale <= MaxExactPowerOfTen) {
        auto value = static_cast<long double>(sum);
        value = scale < 0 ? value / ExactPowersOfTen[-scale] : value * ExactPowersOfTen[scale];
        return static_cast<double>(negative ? -value : value);
      }
    }
  }
  return DecimalToDoubleInSoftware(digits, negative);
}
