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

}  // namespace

std::optional<bool> StartsAsOpenAir(std::string_view start, bool allThatIsRead) {
  constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
  if (start.substr(0, ByteOrderMark.size()) == ByteOrderMark) start.remove_prefix(ByteOrderMark.size());
  const char* const end = start.data() + start.size();
  TLineEnds lineEnds(end);
  for (const char* c = start.data(); c != end;) {
    const char* const lineEnd = lineEnds.From(c);
    if (lineEnd == end && !allThatIsRead) return std::nullopt;  // the line may go on
    const char* const text = SkipDelimiters(c, lineEnd);
    if (text != lineEnd && *text != CommentChar) {
      const char* tokenEnd = text;
      while (tokenEnd != lineEnd && !Delimiters.Contains(*tokenEnd) && *tokenEnd != CommentChar) ++tokenEnd;
      const char* const value = SkipDelimiters(tokenEnd, lineEnd);
      return value != lineEnd && *value != CommentChar &&
             IsRecordKeyword({text, static_cast<std::size_t>(tokenEnd - text)});
    }
    c = lineEnd == end ? end : lineEnd + 1;
  }
  if (!allThatIsRead) return std::nullopt;  // more lines may follow
  return false;
}
