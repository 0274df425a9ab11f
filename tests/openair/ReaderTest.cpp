// The line reader and the tokens, over in-memory streams of several buffer
// sizes: the lines read must not depend on how the stream buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "io/Streams.h"
#include "openair/Keywords.h"
#include "openair/LineReader.h"
#include "openair/Tokens.h"

namespace {

using Lines = std::vector<std::string>;

// Every logical line up to the end of the input, then two more calls that
// must both report the end.
Lines ReadAll(const std::string& input, std::size_t bufferSize) {
  TMemoryStream stream(input, bufferSize);
  TLineReader reader(stream);
  Lines lines;
  std::string_view line;
  while (reader.ReadLine(line)) lines.emplace_back(line);
  EXPECT_FALSE(reader.ReadLine(line));
  EXPECT_FALSE(reader.ReadLine(line));
  return lines;
}

struct LineCase {
  const char* Title;
  std::string Input;
  Lines Expected;
};

void PrintTo(const LineCase& c, std::ostream* out) { *out << c.Title; }

class ReadLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ReadLineTest, ReadsTheLogicalLines) {
  for (const std::size_t bufferSize : {std::size_t{1}, std::size_t{2}, std::size_t{5}, TStream::DefaultBufferSize})
    EXPECT_EQ(ReadAll(GetParam().Input, bufferSize), GetParam().Expected) << "buffer size " << bufferSize;
}

const std::string NUL(1, '\0');

INSTANTIATE_TEST_SUITE_P(LineEnds, ReadLineTest,
                         testing::Values(LineCase{"Empty", "", {}},
                                         LineCase{"CrLf", "AC R\r\nAN X\r\n", {"AC R", "AN X"}},
                                         LineCase{"CrOnly", "AC R\rAN X\r", {"AC R", "AN X"}},
                                         LineCase{"LfOnly", "AC R\nAN X\n", {"AC R", "AN X"}},
                                         LineCase{"LfOnlyBlankLine", "AC R\n\nAN X", {"AC R", "", "AN X"}},
                                         LineCase{"CrLfBlankLine", "AC R\r\n\r\nAN X\r\n", {"AC R", "", "AN X"}},
                                         LineCase{"Mixed", "A\r\nB\rC\nD\r\n", {"A", "B", "C", "D"}},
                                         LineCase{"LfAfterCrLf", "A\r\n\nB", {"A", "", "B"}},
                                         LineCase{"CrCr", "A\r\rB", {"A", "", "B"}},
                                         LineCase{"LfCr", "A\n\rB", {"A", "", "B"}},
                                         LineCase{"LastLineWithoutBreak", "AN Last", {"AN Last"}},
                                         LineCase{"BreakAtTheEnd", "AC R\r\n", {"AC R"}}),
                         [](const auto& info) { return std::string(info.param.Title); });

INSTANTIATE_TEST_SUITE_P(Text, ReadLineTest,
                         testing::Values(LineCase{"BlanksAndTabsLine", "A\r\n \t \r\nB", {"A", "", "B"}},
                                         LineCase{"BlanksAtTheEndOfInput", "A\r\n \t ", {"A"}},
                                         LineCase{"LeadingDelimitersDropped",
                                                  " \t\x01"
                                                  "AC R",
                                                  {"AC R"}},
                                         LineCase{"InnerAndTrailingBlanksKept", "AN A \tB \t\r\n", {"AN A \tB \t"}},
                                         LineCase{"ControlBytesInside",
                                                  "AC" + NUL +
                                                      "R\x1f"
                                                      "X",
                                                  {"AC" + NUL +
                                                   "R\x1f"
                                                   "X"}},
                                         LineCase{"HighBytesKept", "AN C\xf4te \xb0\xff\r\n", {"AN C\xf4te \xb0\xff"}},
                                         LineCase{"EofTextIsOrdinary", "@EOF\r\nAC R\r\n", {"@EOF", "AC R"}}),
                         [](const auto& info) { return std::string(info.param.Title); });

INSTANTIATE_TEST_SUITE_P(Comments, ReadLineTest,
                         testing::Values(LineCase{"CommentLineSkipped", "A\r\n* note\r\nB\r\n", {"A", "B"}},
                                         LineCase{"IndentedComment", "A\r\n \t** x\r\nB", {"A", "B"}},
                                         LineCase{"CommentNeverBlank", "A\r\n*\r\n*x\r\n", {"A"}},
                                         LineCase{"CommentLastWithoutBreak", "A\r\n* the end", {"A"}},
                                         LineCase{"OnlyComments", "* a\n* b\n", {}},
                                         LineCase{"StarAfterTextEndsIt", "AN A * B\r\n", {"AN A "}},
                                         LineCase{"StarInsideWord", "AN A*B\r\n", {"AN A"}},
                                         LineCase{"StarAtEnd", "AN A *  \r\n", {"AN A "}},
                                         LineCase{"TabBeforeStarKept", "AN A\t*x\nB", {"AN A\t", "B"}},
                                         LineCase{"CommentWithLettersAndColons",
                                                  "DP 45:56:04 N 006:53:22 E ** Chemin d:Orthaz **\r\nDP 1 N\r",
                                                  {"DP 45:56:04 N 006:53:22 E ", "DP 1 N"}},
                                         LineCase{"TrailingCommentAtTheEnd", "AN A *x", {"AN A "}},
                                         LineCase{"TrailingCommentThenLf", "AN A *x\n\nB", {"AN A ", "", "B"}},
                                         LineCase{"CommentLfOnly", "A\n*c\n\nB\n", {"A", "", "B"}}),
                         [](const auto& info) { return std::string(info.param.Title); });

INSTANTIATE_TEST_SUITE_P(ByteOrderMark, ReadLineTest,
                         testing::Values(LineCase{"Dropped",
                                                  "\xEF\xBB\xBF"
                                                  "AC R\n",
                                                  {"AC R"}},
                                         LineCase{"Alone", "\xEF\xBB\xBF", {}},
                                         LineCase{"BeforeABlankLine", "\xEF\xBB\xBF\r\nA", {"", "A"}},
                                         LineCase{"BeforeAComment", "\xEF\xBB\xBF* c\nA", {"A"}},
                                         LineCase{"OnlyOnce",
                                                  "\xEF\xBB\xBF\xEF\xBB\xBF"
                                                  "A",
                                                  {"\xEF\xBB\xBF"
                                                   "A"}},
                                         LineCase{"PartialKept",
                                                  "\xEF\xBB"
                                                  "AC",
                                                  {"\xEF\xBB"
                                                   "AC"}},
                                         LineCase{"PartialThenBreak", "\xEF\r\nA", {"\xEF", "A"}},
                                         LineCase{"PartialAtTheEnd", "\xEF\xBB", {"\xEF\xBB"}},
                                         LineCase{"PartialThenStar", "\xEF*x\nA", {"\xEF", "A"}},
                                         LineCase{"NotAtTheStart",
                                                  "A\n\xEF\xBB\xBF"
                                                  "B",
                                                  {"A",
                                                   "\xEF\xBB\xBF"
                                                   "B"}}),
                         [](const auto& info) { return std::string(info.param.Title); });

// The physical line, as an editor counts it, of each logical line read.
TEST(ReadLineTest, NumbersThePhysicalLines) {
  const struct {
    std::string Input;
    std::vector<std::uint64_t> Numbers;
  } cases[] = {
      {"A\r\nB\r\n\r\nC", {1, 2, 3, 4}},
      {"A\rB\nC\r\nD\n\rE", {1, 2, 3, 4, 5, 6}},
      {"* c\n* c\r\n\tA\r* c\rB *x\nC", {3, 5, 6}},
      {"\xEF\xBB\xBF* c\n\nA", {2, 3}},
      {"A\n\n\n", {1, 2, 3}},
  };
  for (const auto& c : cases) {
    TMemoryStream stream(c.Input, 3);
    TLineReader reader(stream);
    std::vector<std::uint64_t> numbers;
    for (std::string_view line; reader.ReadLine(line);) numbers.push_back(reader.LineNumber());
    EXPECT_EQ(numbers, c.Numbers) << c.Input;
  }
}

// The rest of a line after its keyword: its tokens joined by single blanks,
// fresh and after some text, and its first token. Each is read from an
// exactly sized copy, joined in place too, where the output starts before
// the rest as a name joined where its line stands does.
TEST(JoinTokensTest, JoinsTheRestBySingleBlanks) {
  struct Case {
    std::string Line;
    std::string Joined, AfterText, First;
  };
  const Case cases[] = {
      {"AC", "", "", ""},
      {"AC R", "R", " R", "R"},
      {"AC\tR", "R", " R", "R"},
      {"AN X ", "X ", " X ", "X"},
      {"AN X \t ", "X ", " X ", "X"},
      {"AN ", "", " ", ""},
      {"AN Test  Area", "Test Area", " Test Area", "Test"},
      {std::string("AC") + '\0' + "R", "R", " R", "R"},
      {"AC\x1fR\x1f", "R ", " R ", "R"},
      {"AN \x7f\x80\xff", "\x7f\x80\xff", " \x7f\x80\xff", "\x7f\x80\xff"},
      {"DP 50:30:00\tN  014:20:00 E", "50:30:00 N 014:20:00 E", " 50:30:00 N 014:20:00 E", "50:30:00"},
  };
  for (const Case& c : cases) {
    const auto bytes = std::make_unique<char[]>(c.Line.size());
    std::copy(c.Line.begin(), c.Line.end(), bytes.get());
    const std::string_view rest(bytes.get() + 2, c.Line.size() - 2);
    EXPECT_EQ(JoinTokens(rest), c.Joined) << c.Line;
    EXPECT_EQ(FirstToken(rest), c.First) << c.Line;
    std::string out(rest.size(), '?');
    out.resize(JoinTokens(rest, true, out.data()));
    EXPECT_EQ(out, c.AfterText) << c.Line;
    EXPECT_EQ(std::string_view(bytes.get(), JoinTokens(rest, false, bytes.get())), c.Joined) << c.Line;
  }
}

TEST(KeywordTest, KindsWithoutRegardToCase) {
  using enum TRecordKind;
  const std::pair<const char*, TRecordKind> cases[] = {
      {"AC", Class},
      {"an", Name},
      {"At", Pin},
      {"AL", Floor},
      {"aH", Ceiling},
      {"DP", Point},
      {"ay", Type},
      {"V", Variable},
      {"v", Variable},
      {"DA", Arc},
      {"db", ArcBetween},
      {"DC", Circle},
      {"SP", Unused},
      {"sb", Unused},
      {"AF", Unused},
      {"ag", Unused},
      {"DY", Unused},
      {"X", None},
      {"AC:R", None},
      {"ACR", None},
      {"A", None},
      {"", None},
      {"\xc1"
       "C",
       None},
      {"AA", None},
      {"AX", None},
  };
  for (const auto& [token, kind] : cases) {
    EXPECT_EQ(KindOfKeyword(token), kind) << token;
    const std::string line = std::string(token) + " x";
    if (line[0] != ' ') {
      EXPECT_EQ(LineKeyword(line).Kind, kind) << line;
    }
  }
  EXPECT_EQ(LineKeyword("dp\t1").Kind, Point);
  EXPECT_EQ(LineKeyword("DP").Kind, Point);
  EXPECT_EQ(LineKeyword("DPX 1").Kind, None);
  EXPECT_EQ(LineKeyword("A").Kind, None);
}

}  // namespace
