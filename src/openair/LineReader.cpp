// The line reader: bytes classified by a table, runs of ordinary bytes
// copied four a pass, comment lines skipped whole.
#include "openair/LineReader.h"

#include <cstddef>

#include "io/Streams.h"
#include "openair/Delimiters.h"

namespace {

constexpr char CR = '\r';  // ends a line, and so does an LF that follows no CR
constexpr char LF = '\n';

// Builds a line in the reader's buffer, which grows until a caller takes it
// (TLineReader::TakeBuffer). Room is made ahead, for the bytes the stream
// holds (see TReadCursor::Buffered), so that the bytes are appended with no
// check each; the buffer's whole capacity is open for that until Text. The bytes are stored as
// char8_t, which unlike char cannot alias the stream's pointers, so the
// one-byte reads need no reloads between the stores.
class TLineText {
public:
  explicit TLineText(TGrowingText& buffer) : Buffer(buffer) {
    Buffer.Clear();
    OpenCapacity();
  }
  // Room for `count` more bytes.
  [[gnu::always_inline]] void Reserve(std::size_t count) {
    if (count > static_cast<std::size_t>(Limit - End)) Grow(count);
  }
  [[gnu::always_inline]] void Append(char c) { *End++ = static_cast<char8_t>(c); }
  bool Empty() const { return End == Start; }
  void Clear() { End = Start; }
  // The text, and the buffer's size set to its length.
  std::string_view Text() {
    Buffer.SetSize(Length());
    return Buffer.View();
  }

private:
  char8_t* Bytes() const { return reinterpret_cast<char8_t*>(Buffer.Data()); }
  std::size_t Length() const { return static_cast<std::size_t>(End - Start); }
  void Grow(std::size_t count) {
    Buffer.SetSize(Length());
    Buffer.Reserve(count);
    OpenCapacity();
  }
  void OpenCapacity() {
    const std::size_t size = Buffer.Size();
    Buffer.Reserve(Buffer.Capacity() - size);
    Start = Bytes();
    End = Start + size;
    Limit = Start + Buffer.Capacity();
  }
  TGrowingText& Buffer;
  char8_t* Start = nullptr;  // the buffer's bytes, up to Limit
  char8_t* End = nullptr;    // after the last byte
  char8_t* Limit = nullptr;
};

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// What a byte does in a physical line: kept, a delimiter (dropped before
// the first kept byte), the start of a comment, or a line break.
enum class TByteClass : unsigned char { Kept, Blank, OtherDelimiter, Comment, Break };  // Kept and Blank first
constexpr std::array<TByteClass, 256> ByteClasses = [] {
  std::array<TByteClass, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    if (c == CR || c == LF)
      classes[c] = TByteClass::Break;
    else if (c == CommentChar)
      classes[c] = TByteClass::Comment;
    else if (c == ' ')
      classes[c] = TByteClass::Blank;
    else if (Delimiters.Contains(static_cast<char>(c)))
      classes[c] = TByteClass::OtherDelimiter;
  }
  return classes;
}();

static_assert(ByteClasses[TStream::EndMark] > TByteClass::Blank, "the stream's end mark stops a run");

// How the bytes of a physical line ended.
enum class TStep { LineEnd, CommentStart, InputEnd };

// The first byte of the input is in `c` if `more`: a byte order mark there is
// dropped whole, and the bytes of a partial one are ordinary bytes of the
// line. Returns whether `c` holds the next byte.
[[gnu::always_inline]] inline bool TakeByteOrderMark(TReadCursor& input, TLineText& text, char& c, bool more) {
  for (std::size_t matched = 0; matched < ByteOrderMark.size(); ++matched) {
    if (!more || c != ByteOrderMark[matched]) {
      text.Reserve(matched);
      for (const char mark : ByteOrderMark.substr(0, matched)) text.Append(mark);
      return more;
    }
    more = input.Read(c);
  }
  return more;
}

// The line ends read so far: how many, and whether the last byte was a CR,
// whose LF then belongs to it.
struct TLineEnds {
  bool LastWasCR = false;
  std::uint64_t Breaks = 0;
  bool OtherDelimiter = false;  // the line holds a delimiter other than the blank

  TStep Take(char c) {
    LastWasCR = c == CR;
    ++Breaks;
    return TStep::LineEnd;
  }
};

// The bytes of one physical line from `c` on into `text`: delimiters before
// the first other byte are dropped, CR and LF end it, and so does a "*".
TStep ReadPhysicalLine(TReadCursor& input, TLineText& text, char c, TLineEnds& ends) {
  for (;;) {
    text.Reserve(input.Buffered() + 1);  // `c` and the bytes the stream holds
    for (;;) {
      const TByteClass kind = ByteClasses[static_cast<unsigned char>(c)];
      if (kind == TByteClass::Kept) [[likely]] {
        text.Append(c);
        // The run of kept bytes and blanks that follows, the bulk of every
        // line: after a kept byte, a blank is kept as well.
        const bool stopped = input.ReadBufferedUntil(
            [](char next) { return ByteClasses[static_cast<unsigned char>(next)] > TByteClass::Blank; },
            [&text](char next) { text.Append(next); }, c);
        if (!stopped) break;
        continue;
      }
      if (kind == TByteClass::Blank) {  // the common delimiter
        if (!text.Empty()) text.Append(c);
      } else if (kind == TByteClass::Comment) {
        return TStep::CommentStart;
      } else if (kind == TByteClass::Break) {
        return ends.Take(c);
      } else if (!text.Empty()) {  // another delimiter inside the text
        ends.OtherDelimiter = true;
        text.Append(c);
      }
      if (!input.ReadBuffered(c)) break;
    }
    if (!input.Read(c)) return TStep::InputEnd;
  }
}

// The comment's bytes up to the line break, which ends the line as usual.
TStep SkipComment(TReadCursor& input, TLineEnds& ends) {
  for (char c; input.Read(c);)
    if (c == CR || c == LF) return ends.Take(c);
  return TStep::InputEnd;
}

}  // namespace

bool TLineReader::ReadLine(std::string_view& line) {
  TReadCursor input(Stream);
  TLineText text(Buffer);
  TLineEnds ends{LastWasCR, Breaks, false};
  for (;;) {  // one physical line per pass
    text.Clear();
    ends.OtherDelimiter = false;
    FLineNumber = ends.Breaks + 1;
    char c;
    bool more = input.Read(c);
    if (AtInputStart) {
      AtInputStart = false;
      more = TakeByteOrderMark(input, text, c, more);
    }
    if (more && c == LF && ends.LastWasCR) more = input.Read(c);  // the LF of a CR LF
    ends.LastWasCR = false;
    TStep step = more ? ReadPhysicalLine(input, text, c, ends) : TStep::InputEnd;
    // A "*" first on the line makes it a comment line, skipped whole;
    // after some text, it ends the text.
    if (step == TStep::CommentStart) {
      const bool commentLine = text.Empty();
      step = SkipComment(input, ends);
      if (commentLine && step != TStep::InputEnd) continue;
    }
    LastWasCR = ends.LastWasCR;
    Breaks = ends.Breaks;
    FBlanksOnly = !ends.OtherDelimiter;
    line = text.Text();
    return !(step == TStep::InputEnd && text.Empty());
  }
}
