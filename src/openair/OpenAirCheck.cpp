// The OpenAir check: blank and comment lines skipped a line at a time, the
// first other line's keyword looked up.
#include "openair/OpenAirCheck.h"

#include <algorithm>
#include <cstring>

#include "openair/Delimiters.h"
#include "openair/Keywords.h"

namespace {

// Every record keyword of OpenAir, the ones the reader ignores included.
bool IsRecordKeyword(std::string_view token) { return KindOfKeyword(token) != TRecordKind::None; }

// The next CR and the next LF at or after a place, each found by memchr
// again only once the place has passed it, so that the text is scanned
// once for each whatever its line ends.
class TLineEnds {
public:
  explicit TLineEnds(const char* end) : End(end) {}
  // Where the line from `c` ends: its CR or LF, or the end of the text.
  const char* From(const char* c) {
    NextCR = Next(NextCR, c, '\r');
    NextLF = Next(NextLF, c, '\n');
    return std::min(NextCR, NextLF);
  }

private:
  const char* Next(const char* found, const char* c, char byte) const {
    if (found != nullptr && found >= c) return found;
    const auto* next = static_cast<const char*>(std::memchr(c, byte, static_cast<std::size_t>(End - c)));
    return next != nullptr ? next : End;
  }
  const char* End;
  const char* NextCR = nullptr;  // none found yet
  const char* NextLF = nullptr;
};

const char* SkipDelimiters(const char* c, const char* end) {
  while (c != end && Delimiters.Contains(*c)) ++c;
  return c;
}

// What one line of text is: blank or a comment, a record with a value, or
// other text.
enum class TLineIs { Nothing, Record, Other };
TLineIs WhatLineIs(const char* c, const char* lineEnd) {
  const char* const text = SkipDelimiters(c, lineEnd);
  if (text == lineEnd || *text == CommentChar) return TLineIs::Nothing;
  const char* tokenEnd = text;
  while (tokenEnd != lineEnd && !Delimiters.Contains(*tokenEnd) && *tokenEnd != CommentChar) ++tokenEnd;
  const char* const value = SkipDelimiters(tokenEnd, lineEnd);
  const bool record =
      value != lineEnd && *value != CommentChar && IsRecordKeyword({text, static_cast<std::size_t>(tokenEnd - text)});
  return record ? TLineIs::Record : TLineIs::Other;
}

// Each line of `start` that is not blank or a comment, to `take`, until it
// answers true; false where the last line may go on beyond what was read.
template <typename TTake>
bool EachTextLine(std::string_view start, bool allThatIsRead, TTake take) {
  constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
  if (start.substr(0, ByteOrderMark.size()) == ByteOrderMark) start.remove_prefix(ByteOrderMark.size());
  const char* const end = start.data() + start.size();
  TLineEnds lineEnds(end);
  for (const char* c = start.data(); c != end;) {
    const char* const lineEnd = lineEnds.From(c);
    if (lineEnd == end && !allThatIsRead) return false;  // the line may go on
    if (const TLineIs line = WhatLineIs(c, lineEnd); line != TLineIs::Nothing && take(line)) return true;
    c = lineEnd == end ? end : lineEnd + 1;
  }
  return allThatIsRead;
}

}  // namespace

std::optional<bool> StartsAsOpenAir(std::string_view start, bool allThatIsRead) {
  std::optional<bool> first;
  const auto decide = [&](TLineIs line) {
    first = line == TLineIs::Record;
    return true;
  };
  if (!EachTextLine(start, allThatIsRead, decide)) return std::nullopt;
  return first.value_or(false);
}

std::optional<TInputStart> InputStartIs(std::string_view start, bool allThatIsRead) {
  TInputStart found = TInputStart::Nothing;
  const auto look = [&](TLineIs line) {
    found = line == TLineIs::Record ? TInputStart::Records : TInputStart::OtherText;
    return line == TLineIs::Record;
  };
  if (!EachTextLine(start, allThatIsRead, look) && found != TInputStart::Records) return std::nullopt;
  return found;
}
