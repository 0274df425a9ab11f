// Number texts: the tables of known values, and properties over many random
// values checked against independent computations.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "base/Errors.h"
#include "numtext/Extended.h"
#include "numtext/FixedDigits.h"
#include "numtext/NumText.h"
#include "numtext/UInt128.h"

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

// Texts of any length: the exact decimal value, rounded to a 64-bit
// significand and then to double.
TEST(TextToNumberTest, LongTextsReadTheirExactValue) {
  const std::string largest =
      "1797693134862315708145274237317043567980705675258449965989174768031572607800285387605895586327668781715404589535"
      "1438246423432132688946418276846754670353751698604991057655128207624549009038932894407586850845513394230458323690"
      "3222948165808559332123348274797826204144723168738177180919299881250404026184124858368";
  const std::string HalfSubnormal =  // the digits of 2^-1075
      "2470328229206232720882843964341106861825299013071623822127928412503377536351043759326499181808179961898982823477"
      "2285886546332835517796989819938739800539093906315035659515570226392290858392449105184435931802849936536152500319"
      "3704576782492193656236698636584807570015857692699037063119282795585513329278343384093519780155312465972635795746"
      "2276646527282722005637400648549997709659947045402082816622623785739345073633900796776193057750674017632467360096"
      "8951340535537458516661134223766678604162159680461914467291840300530057530849048765391711386591646239524912623653"
      "8818796362393732804238910186723484976682350898633885879256283027559956575244555072551893136908362547791869486679"
      "94968324049705821028513185451396213837722826145437693412532098591327667236328125";
  // DBL_MAX + half its unit, halfway to 2^1024
  const std::string halfway =
      "1797693134862315807937289714053034150799341327100378269361737789804449682927647509466490179775872070963302864166"
      "9288791094655554785194040263065748867150582068190890200070838367627385484581771153176447573027006985557136695962"
      "2842914819860834936475292719074168444365510704342711559699508093042880177904174497792";
  const std::pair<std::string, double> cases[] = {
      {"9746726538892491.0000000", 9746726538892491.0},
      {"9746726538892491", 9746726538892491.0},
      {"0.1000000000000000000000000000000000000000000000", 0.1},
      {"00000000000000000000000000000000000000012.5", 12.5},
      {largest, std::numeric_limits<double>::max()},
      {largest + ".999999999999999999999", std::numeric_limits<double>::max()},
      // Half the smallest subnormal goes to the even 0, and so does a little
      // more, which rounds to it in 64 bits first.
      {"0." + std::string(323, '0') + HalfSubnormal, 0.0},
      {"0." + std::string(323, '0') + HalfSubnormal + "0001", 0.0},
      {"0." + std::string(323, '0') + "24703282292062328", 4.9406564584124654e-324},
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      // Rounded to 64 bits this is 1 + 2^-53, halfway between two doubles:
      // then to the even one, 1, not the nearest, 1 + 2^-52.
      {"1.0000000000000001110231494954629083427022351315827108919620513916015625", 1.0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(TextToNumber(text), value) << text.substr(0, 40);
  // Beyond the double range once rounded, so failing: just below the halfway
  // value rounds to it in 64 bits, and then up to the even neighbour, 2^1024.
  for (const std::string& text :
       {halfway, halfway.substr(0, 308) + "1", "-" + halfway.substr(0, 308) + "1", halfway + ".01"})
    EXPECT_THROW(TextToNumber(text), EConvertError) << text.substr(0, 40);
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
  // Border points with N digits: precision 18, N digits after the point.
  const struct {
    double Value;
    int Digits;
    const char* Text;
  } points[] = {
      {50.50416666666667, 6, "50.504167"},
      {14.333333333333334, 6, "14.333333"},
      {2.0000005, 6, "2.000001"},
      {0.0000005, 6, "0.000000"},  // 4.99999999999999977E-7
      {0.1234565, 6, "0.123456"},
      {-0.0000004, 6, "0.000000"},
      {-0.125, 6, "-0.125000"},
      {-0.0000005000001, 6, "-0.000001"},
      {1e18, 6, "1E18"},
      {1.5e18, 11, "1.5E18"},
      {999999999999999872.0, 6, "999999999999999872.000000"},
      {1.0000000000045, 11, "1.00000000000"},
      {1.0000000000055, 11, "1.00000000001"},
      {1e7 + 0.5, 11, "10000000.50000000000"},
      {123456789.123456789, 11, "123456789.12345679100"},
      {-179.999999999995, 11, "-179.99999999999"},
      {0.125, 3, "0.125"},
      {-0.0625, 3, "-0.063"},
      {999.9999, 3, "1000.000"},
      {89.99999999999, 10, "90.0000000000"},
  };
  for (const auto& p : points) EXPECT_EQ(FormatFixed(p.Value, FloatPrecision, p.Digits), p.Text) << p.Value;
  EXPECT_EQ(FormatFixed(2.5, 15, 0), "3");
  EXPECT_EQ(FormatFixed(1234.5678, 3, 2), "1.23E3");  // beyond the precision: exponent form
  EXPECT_EQ(FormatFixed(123.5678, 3, 2), "124.00");
  EXPECT_EQ(FormatFixed(0.4, 15, 0), "0");
  EXPECT_EQ(FormatFixed(1.23456, 15, 3), "1.235");
}

// Texts are read back in the widest format this build shares with the C
// library: where long double is a double by a compiler flag, the library's
// long double functions would take and return another format.
constexpr bool LongDoubleIsDouble = sizeof(long double) == sizeof(double);
using TWide = std::conditional_t<LongDoubleIsDouble, double, long double>;
constexpr TWide ReadBackError = LongDoubleIsDouble ? 2.3e-16 : 1e-17;
TWide ReadBack(const std::string& text) {
  if constexpr (LongDoubleIsDouble) return std::strtod(text.c_str(), nullptr);
  return std::strtold(text.c_str(), nullptr);
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
      const TWide back = ReadBack(text);
      const TWide bound = std::pow(TWide{10}, -setting.Digits) / 2 + std::fabs(TWide{value}) * ReadBackError;
      ASSERT_LE(std::fabs(back - value), bound) << value << " as " << text;
      if (back == 0) {
        ASSERT_NE(text[0], '-') << text;
      }
    }
  }
}

// The two-decimal fast path against the 18-digit expansion: on every whole
// degree, minute and second of both hemispheres, and on random values.
TEST(FormatFloatTest, FastPathAgreesWithTheExpansion) {
  std::string fast, full;
  const auto check = [&](double value) {
    fast.clear();
    full.clear();
    if (!AppendTwoDecimalsFast(fast, value)) return false;
    AppendFormatFixedByExpansion(full, value, FloatPrecision, FloatDigits);
    EXPECT_EQ(fast, full) << std::hexfloat << value;
    return true;
  };
  int served = 0, all = 0;
  for (int d = 0; d <= 180; ++d)
    for (int m = 0; m < 60; ++m)
      for (int s = 0; s < 60; ++s, all += 2) {
        const double value = SexagesimalToDouble(d, m, s);
        served += check(value) + check(-value);
      }
  // The doubles nearest to the decimal halves x.yy5 and their neighbours,
  // where the 18-digit expansion decides: the fast path serves them all.
  int servedNearHalves = 0, nearHalves = 0;
  for (int k = 5; k < 180000; k += 10) {
    const std::string third = std::to_string(1000 + k % 1000);
    const double tie = TextToNumber(std::to_string(k / 1000) + "." + third.substr(1));
    for (const double value : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e3)})
      servedNearHalves += check(value) + check(-value), nearHalves += 2;
  }
  EXPECT_EQ(servedNearHalves, nearHalves);
  // The edges of the fast path's range, where rounding reaches 1000.00.
  for (const double value : {999.994999, 999.995, 999.9999, std::nextafter(1000.0, 0.0), 0x1p-10, 0.0, -0.0})
    check(value), check(-value);
  std::mt19937_64 random(100);
  for (int i = 0; i < 1000000; ++i)
    check(std::ldexp(static_cast<double>(random() >> 11), -43 - i % 70) * (i % 2 ? -1 : 1));
  EXPECT_GT(served, all * 9 / 10);  // the fast path serves nearly all of them
}

// The N-digit fast path against the 18-digit expansion for every N from 3
// to 11: on D:M:S values, on the doubles nearest to the ties of digit N + 1
// (x.yyy5, x.yyy4, x.yyy49999) and their neighbours, and on random values.
template <int Digits>
void ExpectFastPathAgrees() {
  std::string full;
  int served = 0, all = 0;  // of the values that are not near a tie
  const auto check = [&](double value) {
    TScaled scaled;
    if (!RoundToDigitsFast<Digits>(value, scaled)) return false;
    std::array<char, MaxDigitsText<Digits>> text;
    TTextCursor out{text.data()};
    PutScaled<Digits>(scaled, out);
    full.clear();
    AppendFormatFixedByExpansion(full, value, FloatPrecision, Digits);
    EXPECT_EQ(std::string_view(text.data(), static_cast<std::size_t>(out.Cur - text.data())), full)
        << Digits << " digits of " << std::hexfloat << value;
    return true;
  };
  for (int d = 0; d <= 180; d += 3)
    for (int m = 0; m < 60; ++m)
      for (int s = 0; s < 60; s += 7, all += 2)
        served += check(SexagesimalToDouble(d, m, s)) + check(-SexagesimalToDouble(d, m, s));
  std::mt19937_64 random(Digits);
  for (int i = 0; i < 20000; ++i) {
    std::string fraction(Digits, '0');
    for (char& c : fraction) c = static_cast<char>('0' + random() % 10);
    const std::string whole = std::to_string(random() % 1000) + ".";
    for (const char* tail : {"5", "4", "49999", "50001"}) {
      const double tie = TextToNumber(whole + fraction + tail);
      for (const double value : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e3)}) check(value), check(-value);
    }
    served += check(std::ldexp(static_cast<double>(random() >> 11), -43 - i % 70)), ++all;
  }
  for (const double value : {999.9999999999999, std::nextafter(1000.0, 0.0), 0.0, 0x1p-1074})
    check(value), check(-value);
  EXPECT_GT(served, all * 9 / 10) << Digits;  // the fast path serves nearly all of them
}

TEST(FormatFloatTest, FastPathsOfEveryDigitCountAgreeWithTheExpansion) {
  [&]<int... Digits>(std::integer_sequence<int, Digits...>) { (ExpectFastPathAgrees<Digits + 3>(), ...); }
  (std::make_integer_sequence<int, MaxPointDigits - 2>());
}

// Where the x87 does the extended steps, it and the software path agree bit
// for bit; elsewhere both are the software path and this checks nothing more.
TEST(ExtendedPathTest, HardwareAndSoftwareAgree) {
  std::mt19937_64 random(87);
  const auto bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
  for (int i = 0; i < 200000; ++i) {
    std::string integer, fraction;
    for (int n = static_cast<int>(random() % 12); n > 0; --n) integer += static_cast<char>('0' + random() % 10);
    for (int n = static_cast<int>(random() % 12); n > 0; --n) fraction += static_cast<char>('0' + random() % 10);
    const TDecimalDigits digits{integer, fraction, static_cast<std::int64_t>(random() % 41) - 20};
    ASSERT_EQ(bits(DecimalToDouble(digits, i % 2)), bits(DecimalToDoubleInSoftware(digits, i % 2)))
        << integer << "." << fraction << "e" << digits.Exponent;
    const double d = static_cast<double>(random() % 181), m = static_cast<double>(random() % 6000) / 100,
                 s = std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 50));
    ASSERT_EQ(bits(SexagesimalToDouble(d, m, s)), bits(SexagesimalToDoubleInSoftware(d, m, s))) << d << m << s;
  }
}

// The software path's division for whole numbers against its extended
// steps: every whole D:M:S up to 180 degrees, then random whole numbers up
// to 2^32, the same bits wherever it serves.
TEST(ExtendedPathTest, WholeNumbersByOneDivisionAgreeWithTheSteps) {
  const auto bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
  long served = 0, all = 0;
  const auto check = [&](double d, double m, double s) {
    double result;
    ++all;
    if (!SexagesimalOfWholeNumbers(d, m, s, result)) return;
    ++served;
    ASSERT_EQ(bits(result), bits(SexagesimalToDoubleBySteps(d, m, s))) << d << " " << m << " " << s;
  };
  for (int d = 0; d <= 180; ++d)
    for (int m = 0; m < 60; ++m)
      for (int s = 0; s < 60; ++s) check(d, m, s);
  std::mt19937_64 random(3600);
  for (int i = 0; i < 1000000; ++i)
    check(static_cast<double>(random() >> (32 + i % 32)), static_cast<double>(random() >> (32 + i % 29)),
          static_cast<double>(random() >> (32 + i % 31)));
  EXPECT_GT(served, all * 95 / 100);
  double result;
  for (const double notServed : {0.5, -1.0, 0x1p33, std::nan("")})
    EXPECT_FALSE(SexagesimalOfWholeNumbers(1, notServed, 1, result)) << notServed;
  EXPECT_FALSE(SexagesimalOfWholeNumbers(-0.0, -0.0, -0.0, result));  // zero keeps its sign by the steps
}

#ifdef __SIZEOF_INT128__
// The portable 128-bit type, used where the compiler has none, against the
// compiler's own on random operands.
TEST(UInt128Test, HalvesAgreeWithTheNativeType) {
  __extension__ using TNative = unsigned __int128;
  const auto native = [](TUInt128Halves x) { return (TNative{x.HighHalf()} << 64) | static_cast<std::uint64_t>(x); };
  std::mt19937_64 random(128);
  for (int i = 0; i < 100000; ++i) {
    const TUInt128Halves a(random() >> (random() % 64), random()), b(random() >> (random() % 64), random());
    const int shift = static_cast<int>(random() % 128);
    ASSERT_EQ(native(a + b), native(a) + native(b));
    ASSERT_EQ(native(a - b), native(a) - native(b));
    ASSERT_EQ(native(a * b), native(a) * native(b));
    ASSERT_EQ(native(a << shift), native(a) << shift);
    ASSERT_EQ(native(a >> shift), native(a) >> shift);
    ASSERT_EQ(native(a & b), native(a) & native(b));
    ASSERT_EQ(native(a | b), native(a) | native(b));
    ASSERT_EQ(a < b, native(a) < native(b));
    ASSERT_EQ(a == b, native(a) == native(b));
  }
}
#endif

}  // namespace
