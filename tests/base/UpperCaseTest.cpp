// The one upper-casing rule: ASCII letters only, every other byte kept.
#include <gtest/gtest.h>

#include "base/UpperCase.h"

namespace {

TEST(UpperCaseTest, AsciiLettersOnly) {
  for (int c = 0; c < 256; ++c) {
    const bool lower = c >= 'a' && c <= 'z';
    EXPECT_EQ(UpperCaseChar(static_cast<char>(c)), static_cast<char>(lower ? c - 32 : c)) << c;
  }
}

}  // namespace
