// The shared byte rules: upper-casing of ASCII letters alone, equality
// without regard to case, and trimming of blanks and tabs alone.
#include <gtest/gtest.h>

#include "base/Text.h"

namespace {

TEST(TextTest, LettersAToZAloneChangeCase) {
  EXPECT_EQ(UpperCase("azAZ09 `{@[\xe9\xff\x7f"), "AZAZ09 `{@[\xe9\xff\x7f");
  EXPECT_TRUE(SameLetters("unclassified", "UNCLASSIFIED"));
  EXPECT_TRUE(SameLetters("", ""));
  EXPECT_FALSE(SameLetters("UNCL", "UNC"));
  EXPECT_FALSE(SameLetters("\xe9", "\xc9"));  // é is no letter a to z
  EXPECT_FALSE(SameLetters("`", "@"));        // 96 and 64, 32 apart like a and A
}

TEST(TextTest, TrimmingTakesBlanksAndTabsOnly) {
  EXPECT_EQ(Trimmed(" \t x y \t "), "x y");
  EXPECT_EQ(Trimmed(" \t "), "");
  EXPECT_EQ(Trimmed("\r x\n"), "\r x\n");
  EXPECT_TRUE(IsDigit('0') && IsDigit('9'));
  EXPECT_FALSE(IsDigit('/') || IsDigit(':'));
}

}  // namespace
