// Decimals compared in a common unit: the whole-number fast path against
// the digits.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "numtext/ScaledDecimals.h"

namespace {

// The whole-number fast path against the digits, on random numbers and
// factors, fractions and long numbers falling to the digits.
TEST(ScaledDecimalsTest, WholeNumbersAgreeWithTheDigits) {
  std::mt19937_64 random(26);
  const std::uint32_t factors[] = {3048, 10000, 304800, 1, 1000000000};
  for (int i = 0; i < 100000; ++i) {
    const auto number = [&] {
      std::string text = std::to_string(random() % (i % 3 == 0 ? 1000000000000ULL : 100000));
      if (i % 7 == 0) text += "." + std::to_string(random() % 1000);
      return text;
    };
    const std::string a = number(), b = i % 5 == 0 ? a : number();
    const std::uint32_t fa = factors[random() % 5], fb = factors[random() % 5];
    ASSERT_EQ(CompareScaled(a, fa, b, fb), CompareScaledDigits(a, fa, b, fb))
        << a << " " << fa << " " << b << " " << fb;
  }
  EXPECT_EQ(CompareScaledDigits("3048", 10000, "10000", 3048), 0);
  EXPECT_EQ(CompareScaledDigits("0.5", 2, "1", 1), 0);
  EXPECT_EQ(CompareScaledDigits("999999999999999999999", 3, "2999999999999999999996", 1), 1);
}

}  // namespace
