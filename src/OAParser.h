// The OpenAir reader: logical lines and tokens, and the block parser that
// turns each blank-line-separated block into an airspace.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Airspaces.h"
#include "Utils.h"

class TStream;

// A set of byte values.
class TCharSet {
public:
  constexpr TCharSet(int first, int last) {
    for (int c = first; c <= last; ++c) Members[c] = true;
  }
  constexpr TCharSet(std::initializer_list<int> members) {
    for (const int c : members) Members[c] = true;
  }
  constexpr bool Contains(char c) const { return Members[static_cast<unsigned char>(c)]; }

private:
  std::array<bool, 256> Members{};
};

constexpr char CommentChar = '*';
constexpr TCharSet Delimiters(0, 32);  // every control byte and the blank
constexpr TCharSet LineBreakChars{10, 13};

constexpr std::array<std::string_view, 6> Keywords = {"AC", "AN", "AT", "AL", "AH", "DP"};
enum TKeyword : int { KeywordAC = 1, KeywordAN, KeywordAT, KeywordAL, KeywordAH, KeywordDP };

// Reads logical lines: line breaks and comment lines removed, leading
// delimiters dropped. A line ends at CR, CR LF, or LF alone; a "*" after some
// text starts a comment that runs to the end of the physical line; a UTF-8
// byte order mark at the very start of the input is dropped. It keeps the
// state of the line ends between calls and never looks ahead.
class TLineReader {
public:
  explicit TLineReader(TStream& stream) : Stream(stream) {}

  // The next logical line (empty for a blank line), valid until the next
  // call; false at the end of the input, which is no text, so a line "@EOF"
  // is ordinary.
  bool ReadLine(std::string_view& line);

  // The physical line, counted from 1 as an editor counts them, on which the
  // line last returned stands; while a line is being read, the line reached.
  std::uint64_t LineNumber() const { return FLineNumber; }

  // Whether the line last returned holds no delimiter but the blank.
  bool BlanksOnly() const { return FBlanksOnly; }

  // Hands over the buffer that holds the line last returned, its size the
  // line's length, to a caller that keeps the line's bytes; the line's view
  // stays valid, and the next line goes to a new buffer.
  TGrowingText TakeBuffer() { return std::exchange(Buffer, TGrowingText()); }

private:
  TStream& Stream;
  bool LastWasCR = false;
  bool AtInputStart = true;
  std::uint64_t Breaks = 0;  // line breaks read so far
  std::uint64_t FLineNumber = 1;
  bool FBlanksOnly = true;
  TGrowingText Buffer;  // where lines are built, and stay until the next call
};

// Tokens are views into their line, valid while the line is.
using TTokenList = std::vector<std::string_view>;

// Replaces `tokens` by the tokens of a non-empty line, cut at runs of
// delimiters; a line ending in a delimiter gives one empty last token.
void SplitTokens(std::string_view line, TTokenList& tokens);

// The tokens from `first` to `last` joined by single blanks; a `last` that is
// negative or below `first` means the final token.
std::string JoinTokens(const TTokenList& tokens, int first, int last);

// 1 to 6 by the Keywords table, without regard to case; -1 for any other token.
int KeywordIndex(std::string_view token);

// The input's airspaces in input order: a blank line ends an airspace, and so
// does a second AC record. A failure of reading or parsing carries the input
// line on which it arose as its place.
TAirspaceList ParseAirspaces(TStream& stream);
