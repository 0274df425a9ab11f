// The number steps against GNU MPFR at 64-bit precision, the exact oracle of
// the extended format: number texts, coordinate sums and the 18-digit
// expansion, on both the default path and the software path; number texts
// of up to 900 digits; point texts of 2 to 11 digits. The number of
// random cases per test comes from TARNEL_ORACLE_CASES (default 200,000).
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "base/Errors.h"
#include "numtext/Extended.h"
#include "numtext/NumText.h"

namespace {

int CaseCount() {
  const char* text = std::getenv("TARNEL_ORACLE_CASES");
  return text != nullptr ? std::atoi(text) : 200000;
}

// An MPFR number of the extended format's precision, with the exponent range
// MPFR has by default, which is wider than any value here needs.
class TOracle {
public:
  TOracle() { mpfr_init2(Value, 64); }
  ~TOracle() { mpfr_clear(Value); }
  TOracle(const TOracle&) = delete;
  TOracle& operator=(const TOracle&) = delete;
  mpfr_t Value;
};

double OracleTextToDouble(const std::string& text) {
  TOracle x;
  mpfr_strtofr(x.Value, text.c_str(), nullptr, 10, MPFR_RNDN);
  return mpfr_get_d(x.Value, MPFR_RNDN);
}

double OracleSexagesimal(double degrees, double minutes, double seconds) {
  TOracle sum, part;
  mpfr_set_d(sum.Value, minutes, MPFR_RNDN);  // exact: 53 bits fit 64
  mpfr_div_ui(sum.Value, sum.Value, 60, MPFR_RNDN);
  mpfr_add_d(sum.Value, sum.Value, degrees, MPFR_RNDN);
  mpfr_set_d(part.Value, seconds, MPFR_RNDN);
  mpfr_div_ui(part.Value, part.Value, 3600, MPFR_RNDN);
  mpfr_add(sum.Value, sum.Value, part.Value, MPFR_RNDN);
  return mpfr_get_d(sum.Value, MPFR_RNDN);
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// A number text of 1 to 40 digits with a point anywhere, sometimes a sign
// and an exponent, and sometimes long runs of zeros or nines.
std::string RandomNumberText(std::mt19937_64& random) {
  const int count = 1 + static_cast<int>(random() % 40);
  std::string digits;
  const int style = static_cast<int>(random() % 4);
  for (int i = 0; i < count; ++i) {
    const char run = style == 1 ? '0' : '9';
    digits += style >= 1 && style <= 2 && i > 0 && random() % 4 != 0 ? run : static_cast<char>('0' + random() % 10);
  }
  const auto point = static_cast<std::size_t>(random() % (count + 1));
  std::string text = random() % 2 ? "-" : "";
  text.append(digits, 0, point).append(".").append(digits, point);
  if (random() % 3 == 0) text += "e" + std::to_string(static_cast<int>(random() % 700) - 350);
  return text;
}

TEST(OracleTest, NumberTextsOfUpToFortyDigits) {
  std::mt19937_64 random(20261208);
  for (int i = 0, n = CaseCount(); i < n; ++i) {
    const std::string text = RandomNumberText(random);
    const double expected = OracleTextToDouble(text);
    if (!std::isfinite(expected)) {
      ASSERT_THROW(TextToNumber(text), EConvertError) << text;
      continue;
    }
    ASSERT_TRUE(SameBits(TextToNumber(text), expected)) << text;
    // The same digits read by the software path alone.
    const std::size_t point = text.find('.'), exponent = text.find('e');
    const std::size_t start = text[0] == '-' ? 1 : 0;
    const std::string_view view(text);
    const TDecimalDigits digits{view.substr(start, point - start),
                                view.substr(point + 1, std::min(exponent, text.size()) - point - 1),
                                exponent == std::string::npos ? 0 : std::stoll(text.substr(exponent + 1))};
    ASSERT_TRUE(SameBits(DecimalToDoubleInSoftware(digits, start == 1), expected)) << text;
  }
}

// Texts of 60 to 900 significant digits at, just above and just below a
// value halfway between two 64-bit significands, where every digit counts:
// a reader that kept too few digits would fall on the wrong side. Halfway
// values from the subnormals, whose expansions are longest, to the top of
// the range, and often near 1.
TEST(OracleTest, LongNumberTextsAroundHalfwayValues) {
  std::mt19937_64 random(850);
  for (int i = 0, n = std::max(CaseCount() / 20, 1000); i < n; ++i) {
    std::uint64_t significand = random() | std::uint64_t{1} << 63;
    const long exponent = std::array{-1138L, -1100L, -66L, 0L, 900L}[i % 5] + static_cast<long>(random() % 16) - 8;
    // Often the significand's bits that the double drops are a tie or just
    // below one: then the side of the halfway value decides the double too.
    const long keep = std::min(53L, exponent + 63 + 1075);  // the bits a double keeps, subnormal or not
    if (keep >= 0 && random() % 2) {
      const std::uint64_t half = std::uint64_t{1} << (63 - keep);
      significand = (significand & ~(2 * half - 1)) | (random() % 2 ? half : half - 1) | std::uint64_t{1} << 63;
    }
    TOracle halfway;
    mpfr_set_prec(halfway.Value, 66);
    mpfr_set_uj(halfway.Value, significand, MPFR_RNDN);
    mpfr_mul_2ui(halfway.Value, halfway.Value, 1, MPFR_RNDN);
    mpfr_add_ui(halfway.Value, halfway.Value, 1, MPFR_RNDN);  // 2 m + 1, exact in 66 bits
    mpfr_mul_2si(halfway.Value, halfway.Value, exponent - 1, MPFR_RNDN);
    mpfr_exp_t decimalExponent = 0;
    char* text = mpfr_get_str(nullptr, &decimalExponent, 10, 1000, halfway.Value, MPFR_RNDN);  // exact: fewer digits
    std::string digits(text);
    mpfr_free_str(text);
    digits.erase(digits.find_last_not_of('0') + 1);
    const std::size_t length =
        std::max<std::size_t>(60, digits.size() + 1) +
        random() % (900 - std::min<std::size_t>(899, std::max<std::size_t>(60, digits.size() + 1)));
    switch (i % 3) {
      case 0: break;                                                                        // on the half
      case 1: digits += std::string(length - digits.size() - 1, '0') + "1"; break;          // just above
      default: --digits.back(), digits += std::string(length - digits.size(), '9'); break;  // just below
    }
    const std::string number = (random() % 2 ? "-0." : "0.") + digits + "e" + std::to_string(decimalExponent);
    const double expected = OracleTextToDouble(number);
    if (!std::isfinite(expected)) {
      ASSERT_THROW(TextToNumber(number), EConvertError) << number;
      continue;
    }
    ASSERT_TRUE(SameBits(TextToNumber(number), expected)) << number;
  }
}

double RandomCoordinateNumber(std::mt19937_64& random) {
  switch (random() % 4) {
    case 0: return static_cast<double>(random() % 181);         // whole
    case 1: return static_cast<double>(random() % 6000) / 100;  // decimal seconds, as texts give them
    case 2: return std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 80));
    default: {
      const double value = std::bit_cast<double>(random());
      return std::isfinite(value) ? value : 0;
    }
  }
}

TEST(OracleTest, CoordinateSums) {
  std::mt19937_64 random(3600);
  for (int i = 0, n = CaseCount(); i < n; ++i) {
    const double d = RandomCoordinateNumber(random), m = RandomCoordinateNumber(random),
                 s = RandomCoordinateNumber(random);
    const double expected = OracleSexagesimal(d, m, s);
    ASSERT_TRUE(SameBits(SexagesimalToDoubleInSoftware(d, m, s), expected)) << d << " " << m << " " << s;
    ASSERT_TRUE(SameBits(SexagesimalToDouble(d, m, s), expected)) << d << " " << m << " " << s;
  }
}

void SetOracle(TOracle& x, const TExtended& value) {
  mpfr_set_uj(x.Value, value.Significand, MPFR_RNDN);  // exact, as is the scaling
  mpfr_mul_2si(x.Value, x.Value, static_cast<long>(value.Exponent), MPFR_RNDN);
  if (value.Negative) mpfr_neg(x.Value, x.Value, MPFR_RNDN);
}

TExtended FromOracle(const TOracle& x) {
  if (mpfr_zero_p(x.Value)) return {mpfr_signbit(x.Value) != 0, 0, 0};
  TOracle scaled;
  const mpfr_exp_t exponent = mpfr_get_exp(x.Value);  // x = 0.1... x 2^exponent
  mpfr_mul_2si(scaled.Value, x.Value, 64 - exponent, MPFR_RNDN);
  mpfr_abs(scaled.Value, scaled.Value, MPFR_RNDN);
  return {mpfr_signbit(x.Value) != 0, exponent - 64, static_cast<std::uint64_t>(mpfr_get_uj(scaled.Value, MPFR_RNDN))};
}

// Significands with long runs of zero or one bits, so that ties and near
// ties, where the bits shifted out decide, come up often.
TExtended RandomExtended(std::mt19937_64& random, std::int64_t exponent) {
  std::uint64_t significand = random();
  switch (random() % 4) {
    case 0: significand &= ~std::uint64_t{0} << (random() % 64); break;                       // low zeros
    case 1: significand = (std::uint64_t{1} << (random() % 64)) - 1 + (random() % 2); break;  // a top bit, low ones
    case 2: significand |= (std::uint64_t{1} << (random() % 64)) - 1; break;                  // low ones
    default: break;
  }
  if (random() % 50 == 0) significand = 0;
  significand |= significand != 0 ? std::uint64_t{1} << 63 : 0;
  return {random() % 2 == 1, significand != 0 ? exponent : 0, significand};
}

TEST(OracleTest, ExtendedOperationsOnRandomValues) {
  std::mt19937_64 random(64);
  for (int i = 0, n = CaseCount(); i < n; ++i) {
    const auto exponent = static_cast<std::int64_t>(random() % 300) - 150;
    const TExtended a = RandomExtended(random, exponent);
    // Exponents apart by up to 140, often by about 64, where the smaller
    // value's last bits leave the sum's window.
    const auto distance = static_cast<std::int64_t>(random() % 2 ? random() % 140 : 58 + random() % 12);
    const TExtended b = RandomExtended(random, exponent - distance);
    TOracle x, y, result;
    SetOracle(x, a);
    SetOracle(y, b);
    mpfr_add(result.Value, x.Value, y.Value, MPFR_RNDN);
    ASSERT_EQ(ExtendedAdd(a, b), FromOracle(result)) << i;
    ASSERT_EQ(ExtendedAdd(b, a), FromOracle(result)) << i;
    for (const unsigned divisor : {60u, 3600u, 7u}) {
      mpfr_div_ui(result.Value, x.Value, divisor, MPFR_RNDN);
      ASSERT_EQ(ExtendedDivide(a, divisor), FromOracle(result)) << i;
    }
    // To double, around the subnormals and the top of the range too.
    const TExtended c = RandomExtended(
        random, std::array{-1140, -1090, -1050, 900, 960, 0}[i % 6] + static_cast<std::int64_t>(random() % 64));
    SetOracle(x, c);
    ASSERT_TRUE(SameBits(ExtendedToDouble(c), mpfr_get_d(x.Value, MPFR_RNDN))) << i;
  }
}

// MPFR's 18 significant digits of a double, to nearest, ties to even: its
// digits, decimal exponent (0.d1d2... x 10^Exponent) and sign.
struct TOracleExpansion {
  std::string Digits;
  long Exponent;
  bool Negative;
};
TOracleExpansion OracleExpansion(double value) {
  TOracle x;
  mpfr_set_d(x.Value, value, MPFR_RNDN);
  mpfr_exp_t exponent = 0;
  char* text = mpfr_get_str(nullptr, &exponent, 10, TDecimalForm::MaxDigits, x.Value, MPFR_RNDN);
  std::string digits(text);
  mpfr_free_str(text);
  const bool negative = digits[0] == '-';
  if (negative) digits.erase(0, 1);
  return {digits, static_cast<long>(exponent), negative};
}

void ExpectOracleExpansion(double value) {
  const auto [expected, exponent, negative] = OracleExpansion(value);
  const TDecimalForm got = DecimalExpansion(value);
  ASSERT_EQ(got.Digits(), expected) << value;
  ASSERT_EQ(got.Exponent, exponent) << value;
  ASSERT_EQ(got.Negative, negative) << value;
}

TEST(OracleTest, DecimalExpansionAtTheEdges) {
  // Ties at the nineteenth digit go to even: 1 + 2^-18 is 1.000003814697265625.
  EXPECT_EQ(DecimalExpansion(1 + std::ldexp(1, -18)).Digits(), "100000381469726562");
  for (const double value : {1 + std::ldexp(1, -18),
                             1 + 3 * std::ldexp(1, -18),
                             0.1,
                             1e-4,
                             9.999e-5,
                             1e-5,
                             1.0,
                             10.0,
                             9.999999999999999e14,
                             1e15,
                             4503599627370495.5,
                             4503599627370496.0,
                             1e17,
                             1e18,
                             1e19,
                             0.9999999999999999,
                             9.999999999999998,
                             99.99999999999999,
                             5e-324,
                             1.7976931348623157e308,
                             2.675,
                             12.345,
                             -0.125})
    ExpectOracleExpansion(value);
  for (int n = -20; n <= 22; ++n) {
    const double power = std::pow(10.0, n);
    for (const double value : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300)})
      ExpectOracleExpansion(value);
  }
}

TEST(OracleTest, DecimalExpansionOfRandomDoubles) {
  std::mt19937_64 random(42);
  for (int i = 0, n = CaseCount(); i < n; ++i) {
    double value = 0;
    switch (i % 3) {
      case 0: value = std::bit_cast<double>(random()); break;
      case 1: value = std::ldexp(static_cast<double>(random() >> 11), -52 + i % 60 - 20); break;
      default: value = std::ldexp(static_cast<double>(random() % 100000 * 2 + 1), -1 - static_cast<int>(random() % 60));
    }
    if (!std::isfinite(value) || value == 0) continue;
    ExpectOracleExpansion(i % 2 ? -value : value);
  }
}

// The point text with `digits` digits from MPFR's 18-digit expansion,
// rounded half away from zero in decimal, fixed form below 10^18.
std::string OracleFixed(double value, int digits) {
  auto [expansion, point, negative] = OracleExpansion(value);  // point: the digits before the decimal point
  if (value == 0) expansion.clear();
  const long keep = point + digits;
  if (keep < 0) {
    expansion.clear();
  } else if (keep < static_cast<long>(expansion.size())) {
    const bool up = expansion[static_cast<std::size_t>(keep)] >= '5';
    expansion.resize(static_cast<std::size_t>(keep));
    for (long i = keep - 1; up; --i) {  // the carry
      if (i < 0) {
        expansion.insert(0, "1");
        ++point;
        break;
      }
      char& d = expansion[static_cast<std::size_t>(i)];
      if (d == '9') {
        d = '0';
      } else {
        ++d;
        break;
      }
    }
  }
  const bool zero = expansion.find_first_not_of('0') == std::string::npos;
  if (!zero && point > TDecimalForm::MaxDigits) return "exponent form";
  std::string whole, fraction;
  for (long i = 0; i < point; ++i)
    whole += i < static_cast<long>(expansion.size()) ? expansion[static_cast<std::size_t>(i)] : '0';
  for (long i = point; i < point + digits; ++i)
    fraction += i >= 0 && i < static_cast<long>(expansion.size()) ? expansion[static_cast<std::size_t>(i)] : '0';
  return std::string(negative && !zero ? "-" : "") + (whole.empty() ? "0" : whole) + "." + fraction;
}

// Every number of digits, on the doubles nearest to the ties of the next
// digit (and to texts with a 4, or 4999... or 5000...1, there) and their
// neighbours, and on random doubles of every size below 10^18.
TEST(OracleTest, PointTextsOfEveryDigitCount) {
  std::mt19937_64 random(2025);
  const int cases = std::max(CaseCount() / 20, 1000);
  for (int digits = 2; digits <= 11; ++digits) {
    for (int i = 0; i < cases; ++i) {
      std::string text = std::to_string(random() % (i % 4 == 0 ? 100000000 : 1000)) + ".";
      for (int k = 0; k < digits; ++k) text += static_cast<char>('0' + random() % 10);
      text += std::array<const char*, 4>{"5", "4", "4999999999", "5000000001"}[i % 4];
      const double tie = OracleTextToDouble(text);
      for (const double value : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300), -tie}) {
        const std::string expected = OracleFixed(value, digits);
        ASSERT_EQ(FormatFixed(value, FloatPrecision, digits), expected) << text << " at " << digits;
      }
      const double any = std::ldexp(static_cast<double>(random() >> 11), -53 - static_cast<int>(random() % 110) + 60);
      if (any < 1e18) {
        ASSERT_EQ(FormatFixed(any, FloatPrecision, digits), OracleFixed(any, digits)) << any;
      }
    }
  }
}

}  // namespace
