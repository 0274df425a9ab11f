// The OpenAir check of an existing output: the first line that is neither
// blank nor a comment decides.
#include <gtest/gtest.h>

#include <string>

#include "openair/FileKind.h"
#include "openair/OpenAirCheck.h"

namespace {

TEST(OpenAirCheckTest, TheFirstLineOfTextDecides) {
  const std::string licence = "* " + std::string(72 * 1024, 'L') + "\r\n";
  const struct {
    std::string Start;
    bool OpenAir;
  } cases[] = {
      {"AC R\r\n", true},
      {"ac r", true},
      {"\xEF\xBB\xBF"
       "DP 50:30:00 N 014:20:00 E",
       true},
      {"  \t* licence\r\n\r\n*more\n\n   AN Foo\n", true},
      {licence + licence + "AC D\r\n", true},
      {"* c\r* d\r\rAC R\r", true},  // CR alone ends lines
      {"AC\tR", true},
      {"SP 0,1,255,0,0", true},
      {"V X=50:00:00 N 010:00:00 E", true},
      {"dy 50:00:00 N 010:00:00 E", true},
      {"AC", false},  // no value
      {"AC *class", false},
      {"AC*R", false},
      {"ACX R", false},
      {"AX 1", false},
      {"  <airspace class=\"R\" name=\"X\" pin=\"0.00000000000 0.00000000000\">\r\nAC R\r\n", false},
      {"Hello\nAC R\n", false},
      {"", false},
      {"* only comments\r\n\r\n", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StartsAsOpenAir(c.Start, true), c.OpenAir) << c.Start.substr(0, 60);
    // Read in part, it tells only from a line ended within what was read.
    for (std::size_t part = 0; part < c.Start.size(); part += 1 + part / 2) {
      const std::optional<bool> told = StartsAsOpenAir(std::string_view(c.Start).substr(0, part), false);
      if (told) {
        EXPECT_EQ(*told, c.OpenAir) << c.Start.substr(0, 60) << " in " << part;
      }
    }
  }
  EXPECT_EQ(StartsAsOpenAir("AC R\r", false), true);
  EXPECT_EQ(StartsAsOpenAir("* licence\r\nAC R", false), std::nullopt);
}

// The kinds of file start, at the bounds of each rule, and UTF-16 narrowed
// so that its records can be told.
TEST(FileKindTest, KindsByTheirFirstBytes) {
  using enum TFileKind;
  const std::string line = "AC CTR\r\nAN X\r\n";
  std::string little, big;
  for (const char c : line) little += std::string{c, '\0'}, big += std::string{'\0', c};
  const std::string controls(5, '\x01'), text(95, 'x');
  const std::pair<std::string, TFileKind> cases[] = {
      {line, Text},
      {"", Text},
      {"\xFF\xFE" + little, Utf16LE},
      {"\xFE\xFF" + big, Utf16BE},
      {little, Utf16LE},
      {big, Utf16BE},
      {std::string("A\0C\0 \0R\0\r\0\n\0", 12), Binary},  // a first line of 7 bytes: its NULs tell
      {"\x1F\x8B\x08", Gzip},
      {std::string("PK\x03\x04", 4), Zip},
      {controls + text, Text},  // 5 % exactly
      {controls + "\x1F" + text, Binary},
      {"\t\r\n\x0B\x0C" + text, Text},  // tab, line ends and feeds are text
      {"\xE9t\xE9 \xC3\xA9", Text},
  };
  for (const auto& [start, kind] : cases) EXPECT_EQ(KindOfStart(start), kind) << start.size();
  EXPECT_EQ(NarrowedText("\xFF\xFE" + little, Utf16LE), line);
  EXPECT_EQ(NarrowedText(big, Utf16BE), line);
  EXPECT_EQ(NarrowedText(std::string("A\0\x01\x04", 4), Utf16LE), "A?");
  EXPECT_EQ(NarrowedText(line, Text), line);
}

}  // namespace
