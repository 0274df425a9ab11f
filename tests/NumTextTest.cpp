// Number texts: the tables of known values, and properties over many random
// values checked against independent computations.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "Errors.h"
#include "numtext/NumText.h"

namespace {

TEST(TextToNumberTest, ReadsValidTexts) {
  const std::pair<const char*, double> cases[] = {
      {"5", 5},         {"-5", -5},    {"5.", 5},     {".5", 0.5},
      {"-5.25", -5.25}, {".", 0},      {"-.", 0},     {"+7", 7},
      {"  12  ", 12},   {"014", 14},   {"1E3", 1000}, {"2.5e-1", 0.25},
      {"5E", 5},        {"1e+2", 100}, {"0.1", 0.1},  {"50.504166666666666", 50.504166666666666},
      {"000.000", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToNumber(text), value) << text;
}

TEST(TextToNumberTest, RejectsInvalidTextsWithTheirOwnWording) {
  for (const char* text :
       {"", "-", "--5", "5-", "1.2.3", "+", "E5", "\t5", "5\t", "1,5", "INF", "0x10", "5 5", "1e5.5", " "}) {
    try {
      TextToNumber(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.ClassName(), "EConvertError");
      EXPECT_EQ(error.Message(), std::string("'") + text + "' is not a valid floating point value");
    }
  }
}

TEST(TextToNumberTest, OverflowFailsAndTinyFractionsReadAsZero) {
  EXPECT_THROW(TextToNumber(std::string(400, '9')), EConvertError);
  EXPECT_THROW(TextToNumber("1" + std::string(5000, '0')), EConvertError);
  EXPECT_THROW(TextToNumber("1e400"), EConvertError);
  EXPECT_EQ(TextToNumber("0." + std::string(5000, '0') + "1"), 0);
  EXPECT_EQ(TextToNumber("1e-400"), 0);
  EXPECT_EQ(TextToNumber("0e99999999999"), 0);
  EXPECT_DOUBLE_EQ(TextToNumber("0." + std::string(5000, '5')), 0.5555555555555556);
  EXPECT_DOUBLE_EQ(TextToNumber(std::string(300, '1') + "." + std::string(300, '1')), 1.1111111111111111e299);
}

TEST(TextToNumberTest, UsesTheDecimalSeparator) {
  DecimalSeparator = ',';
  EXPECT_EQ(TextToNumber("2,5"), 2.5);
  EXPECT_THROW(TextToNumber("2.5"), EConvertError);
  DecimalSeparator = '.';
}

// Up to 19 digits the digit sum is exact in extended precision and the power
// of ten too, so the result is the correctly rounded long double of the text,
// rounded once more to double: what strtold and a cast give.
TEST(TextToNumberTest, AgreesWithExtendedEvaluationOnRandomTexts) {
  std::mt19937_64 random(20261208);
  for (int i = 0; i < 200000; ++i) {
    const int count = 1 + static_cast<int>(random() % 19);
    std::string digits;
    for (int d = 0; d < count; ++d) digits += static_cast<char>('0' + random() % 10);
    const int point = static_cast<int>(random() % (count + 1));
    std::string text = random() % 2 ? "-" : "";
    text.append(digits, 0, point).append(".").append(digits, point);
    const double expected = static_cast<double>(std::strtold(text.c_str(), nullptr));
    ASSERT_EQ(TextToNumber(text), expected) << text;
  }
}

TEST(FormatFloatTest, TwoDigitsRoundedHalfAwayFromZero) {
  const std::pair<double, const char*> cases[] = {
      {14.333333333333334, "14.33"},
      {50.5, "50.50"},
      {0.005, "0.01"},
      {-0.005, "-0.01"},
      {-0.004, "0.00"},
      {-0.125, "-0.13"},
      {2.675, "2.67"},
      {12.345, "12.35"},
      {-33.86666666666667, "-33.87"},
      {151.2, "151.20"},
      {0, "0.00"},
      {-0.0, "0.00"},
      {0.995, "0.99"},
      {9.995, "9.99"},
      {99.999, "100.00"},
      {1e-300, "0.00"},
      {123456789012345678.0, "123456789012345680.00"},
      {1e18, "1E18"},
      {-2.5e20, "-2.5E20"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatFloat(value), text) << value;
}

TEST(FormatFixedTest, PinPrecision) {
  const std::pair<double, const char*> cases[] = {
      {0, "0.00000000000"},
      {47.5, "47.50000000000"},
      {-12.25, "-12.25000000000"},
      {50.50416666666667, "50.50416666667"},
      {-0.000000000006, "-0.00000000001"},
      {-0.000000000004, "0.00000000000"},
      {1e15, "1E15"},
      {999999999999999.9, "1E15"},
      {123456789012345.0, "123456789012345.00000000000"},
      {1.5e16, "1.5E16"},
      {180, "180.00000000000"},
      {-90, "-90.00000000000"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatFixed(value, PinPrecision, PinDigits), text) << value;
}

TEST(FormatFixedTest, OtherPrecisionsAndDigits) {
  EXPECT_EQ(FormatFixed(2.5, 15, 0), "3");
  EXPECT_EQ(FormatFixed(1234.5678, 3, 2), "1.23E3");  // beyond the precision: exponent form
  EXPECT_EQ(FormatFixed(123.5678, 3, 2), "124.00");
  EXPECT_EQ(FormatFixed(0.4, 15, 0), "0");
  EXPECT_EQ(FormatFixed(1.23456, 15, 3), "1.235");
}

// --- an independent exact decimal expansion, by big integers ---

// Non-negative big integer in base 10^9, least significant limb first.
class BigDecimal {
public:
  explicit BigDecimal(std::uint64_t value) {
    do {
      Limbs.push_back(static_cast<std::uint32_t>(value % Base));
      value /= Base;
    } while (value != 0);
  }
  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : Limbs) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product % Base);
      carry = product / Base;
    }
    for (; carry != 0; carry /= Base) Limbs.push_back(static_cast<std::uint32_t>(carry % Base));
  }
  std::string Text() const {
    std::string text = std::to_string(Limbs.back());
    for (auto limb = Limbs.rbegin() + 1; limb != Limbs.rend(); ++limb) {
      const std::string part = std::to_string(*limb);
      text += std::string(9 - part.size(), '0') + part;
    }
    return text;
  }

private:
  static constexpr std::uint64_t Base = 1000000000;
  std::vector<std::uint32_t> Limbs;
};

struct TExact {
  bool Negative;
  std::string Digits;
  int Exponent;
};

// The exact decimal digits of |value| and the exponent N of 0.d1d2... x 10^N,
// rounded to 18 digits, ties to even, by plain digit arithmetic.
TExact ExactExpansion(double value) {
  int binaryExponent = 0;
  const double fraction = std::frexp(std::fabs(value), &binaryExponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  binaryExponent -= 53;
  BigDecimal number(mantissa);
  int decimalShift = 0;
  for (; binaryExponent > 0; --binaryExponent) number.Multiply(2);
  for (; binaryExponent < 0; ++binaryExponent, --decimalShift) number.Multiply(5);  // m / 2^k = m 5^k / 10^k
  std::string digits = number.Text();
  TExact form{std::signbit(value), "", static_cast<int>(digits.size()) + decimalShift};
  if (digits.size() > 18) {
    const bool above =
        digits[18] > '5' || (digits[18] == '5' && digits.find_first_not_of('0', 19) != std::string::npos);
    const bool tie = digits[18] == '5' && !above;
    digits.resize(18);
    if (above || (tie && (digits[17] - '0') % 2 == 1)) {
      int i = 17;
      for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
      if (i < 0) {
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        ++form.Exponent;
      } else {
        ++digits[i];
      }
    }
  }
  digits.resize(18, '0');
  form.Digits = digits;
  return form;
}

double RandomDouble(std::mt19937_64& random) {
  for (;;) {
    std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value) && value != 0) return value;
  }
}

void ExpectExactExpansion(double value) {
  const TDecimalForm got = DecimalExpansion(value);
  const TExact expected = ExactExpansion(value);
  ASSERT_EQ(got.Digits(), expected.Digits) << value;
  ASSERT_EQ(got.Exponent, expected.Exponent) << value;
  ASSERT_EQ(got.Negative, expected.Negative) << value;
}

TEST(DecimalExpansionTest, AgreesWithExactComputationAtTheEdges) {
  // Ties at the nineteenth digit go to even: 1 + 2^-18 is 1.000003814697265625.
  EXPECT_EQ(DecimalExpansion(1 + std::ldexp(1, -18)).Digits(), "100000381469726562");
  EXPECT_EQ(DecimalExpansion(1 + 3 * std::ldexp(1, -18)).Digits(), "100001144409179688");
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
    ExpectExactExpansion(value);
  for (int n = -20; n <= 22; ++n) {
    const double power = std::pow(10.0, n);
    for (const double value : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300)})
      ExpectExactExpansion(value);
  }
}

TEST(DecimalExpansionTest, AgreesWithExactComputationOnRandomDoubles) {
  std::mt19937_64 random(42);
  for (int i = 0; i < 20000; ++i) {
    double value = 0;
    switch (i % 3) {
      case 0: value = RandomDouble(random); break;
      case 1: value = std::ldexp(static_cast<double>(random() >> 11), -52 + i % 60 - 20); break;
      case 2: value = std::ldexp(static_cast<double>(random() % 100000 * 2 + 1), -1 - static_cast<int>(random() % 60));
    }
    if (i % 2) value = -value;
    ExpectExactExpansion(value);
  }
}

// Read back, the text lies within half a unit of its last digit of the value
// (plus what the 18-digit expansion may already have rounded), and it always
// has exactly the requested number of digits after the point.
TEST(FormatFixedTest, ReadsBackWithinHalfAUnitOnRandomDoubles) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-14, 4);
  struct Setting {
    int Precision, Digits;
  };
  for (const Setting setting : {Setting{PinPrecision, PinDigits}, Setting{FloatPrecision, FloatDigits}}) {
    for (int i = 0; i < 100000; ++i) {
      const double value = (random() % 2 ? -1 : 1) * std::pow(10.0, exponent(random));
      const std::string text = FormatFixed(value, setting.Precision, setting.Digits);
      const std::size_t point = text.find('.');
      ASSERT_NE(point, std::string::npos) << text;
      ASSERT_EQ(text.size() - point - 1, static_cast<std::size_t>(setting.Digits)) << text;
      const long double back = std::strtold(text.c_str(), nullptr);
      const long double bound = 0.5L * std::pow(10.0L, -setting.Digits) + std::fabs(value) * 1e-17L;
      ASSERT_LE(std::fabs(back - value), bound) << value << " as " << text;
      if (back == 0) {
        ASSERT_NE(text[0], '-') << text;
      }
    }
  }
}

}  // namespace
