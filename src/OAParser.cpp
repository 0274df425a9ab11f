#include "OAParser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "Errors.h"
#include "Utils.h"
#include "platform/Streams.h"

namespace {

constexpr char CR = LineBreak[0];  // ends a line
constexpr char LF = LineBreak[1];

}  // namespace

// Builds a line in the reader's buffer, which only ever grows. Room is
// made ahead, for the bytes the stream holds (see TReadCursor::Buffered), so
// that the bytes are appended with no check each. The bytes are stored as
// char8_t, which unlike char cannot alias the stream's pointers, so the
// one-byte reads need no reloads between the stores.
class TLineText {
public:
  explicit TLineText(TGrowingText& buffer)
      : Buffer(buffer), Start(Bytes()), End(Start), Limit(Start + buffer.Capacity()) {}
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
    Start = Bytes();
    End = Start + Buffer.Size();
    Limit = Start + Buffer.Capacity();
  }
  TGrowingText& Buffer;
  char8_t* Start;  // the buffer's bytes, up to Limit
  char8_t* End;    // after the last byte
  char8_t* Limit;
};

namespace {

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

void SplitTokens(std::string_view line, TTokenList& tokens) {
  tokens.clear();
  const char* start = line.data();
  const char* const end = start + line.size();
  for (const char* c = start; c != end; ++c) {
    if (!Delimiters.Contains(*c)) continue;
    if (c > start) tokens.emplace_back(start, c - start);
    start = c + 1;
  }
  tokens.emplace_back(start, end - start);
}

std::string JoinTokens(const TTokenList& tokens, int first, int last) {
  const int final = static_cast<int>(tokens.size()) - 1;
  if (last < first || last < 0 || last > final) last = final;
  std::string result;
  for (int i = std::max(first, 0); i <= last; ++i) {
    if (!result.empty()) result += ' ';
    result += tokens[i];
  }
  return result;
}

namespace {

constexpr unsigned LetterPair(char first, char second) {
  return static_cast<unsigned>(static_cast<unsigned char>(first)) << 8 | static_cast<unsigned char>(second);
}
constexpr unsigned KeywordPair(std::size_t i) { return LetterPair(Keywords[i][0], Keywords[i][1]); }

// UpperCaseChar of every byte, looked up.
constexpr std::array<char, 256> UpperCaseChars = [] {
  std::array<char, 256> upper{};
  for (int c = 0; c < 256; ++c) upper[c] = UpperCaseChar(static_cast<char>(c));
  return upper;
}();

}  // namespace

int KeywordIndex(std::string_view token) {
  // Every keyword has two letters, so a token of any other length is none.
  static_assert(std::all_of(Keywords.begin(), Keywords.end(), [](std::string_view k) { return k.size() == 2; }));
  static_assert(Keywords.size() == 6, "one case below for each keyword");
  if (token.size() != 2) return -1;
  switch (LetterPair(UpperCaseChars[static_cast<unsigned char>(token[0])],
                     UpperCaseChars[static_cast<unsigned char>(token[1])])) {
    case KeywordPair(0): return 1;
    case KeywordPair(1): return 2;
    case KeywordPair(2): return 3;
    case KeywordPair(3): return 4;
    case KeywordPair(4): return 5;
    case KeywordPair(5): return 6;
    default: return -1;
  }
}

namespace {

// The tokens after the keyword joined by single blanks. Where they stand in
// the line joined so already, the usual case, that is a view into the line;
// otherwise they are joined into `scratch`.
std::string_view ValueText(const TTokenList& tokens, std::string& scratch) {
  for (std::size_t i = 2; i < tokens.size(); ++i) {
    const char* gap = tokens[i - 1].data() + tokens[i - 1].size();
    if (tokens[i].data() != gap + 1 || *gap != ' ') {
      scratch = JoinTokens(tokens, 1, 0);
      return scratch;
    }
  }
  if (tokens.size() < 2) return {};
  return {tokens[1].data(), static_cast<std::size_t>(tokens.back().data() + tokens.back().size() - tokens[1].data())};
}

// One record's effect on the airspace of its block, by the keyword of its
// first token (AN lines go to the name, see TAirspaceBuilder); `text` is
// scratch space.
void ApplyRecord(TAirspace& airspace, int keyword, const TTokenList& tokens, std::string& text) {
  switch (keyword) {
    case KeywordAC:
      if (tokens.size() < 2) throw EStringListError("List index out of bounds (1)");
      airspace.AirspaceClass.assign(tokens[1]);
      break;
    case KeywordAT: airspace.Pin.SetFromText(ValueText(tokens, text)); break;
    case KeywordDP: airspace.AddBorderPoint(ValueText(tokens, text)); break;
    default: break;  // AL, AH and every other record: arcs, circles, variables
  }
}

// A new airspace as TAirspace::Create makes it, but keeping the border's storage.
void StartAirspace(TAirspace& airspace) {
  airspace.AirspaceClass.clear();
  airspace.Name.clear();
  airspace.Pin = TGeographicPoint();
  airspace.Border.clear();
}

// Joins the tokens after the first where they stand, in the buffer that
// holds them; it only ever moves bytes towards its start.
void JoinInPlace(TGrowingText& text, const TTokenList& tokens) {
  char* const start = text.Data();
  char* out = start;
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    if (out != start) *out++ = ' ';
    std::memmove(out, tokens[i].data(), tokens[i].size());
    out += tokens[i].size();
  }
  text.SetSize(static_cast<std::size_t>(out - start));
}

// The airspace is built in a scratch airspace whose texts and border keep
// their storage from one to the next; the list takes copies of them, or
// takes them over where they are long. The name is built apart, in a text
// that can take over the reader's buffer: a name from one huge line is then
// joined where the line stands, never copied.
class TAirspaceBuilder {
public:
  TAirspaceBuilder(TAirspaceList& airspaces, TLineReader& reader) : Airspaces(airspaces), Reader(reader) {}

  void Start() {
    StartAirspace(Building);
    Name.Clear();
    HadClass = false;
  }
  // One record of the current airspace. Several airspaces written without
  // a blank line between them: a second AC record completes the airspace
  // and starts the next.
  // `blanksOnly`: the line holds no delimiter but blanks.
  void Take(std::string_view line, bool blanksOnly, TTokenList& tokens, std::string& scratch) {
    const int keyword = FirstKeyword(line);
    if (keyword == KeywordAC) {
      if (HadClass) {
        Complete();
        Start();
      }
      HadClass = true;
    }
    if ((keyword == KeywordDP || keyword == KeywordAT) && blanksOnly) {
      TakeCoordinateValue(keyword, line);
      return;
    }
    SplitTokens(line, tokens);
    if (keyword == KeywordAN)
      TakeName(line, tokens);
    else
      ApplyRecord(Building, keyword, tokens, scratch);
  }
  void Complete() { Airspaces.Add(Building, Name); }

private:
  // The keyword of the line's first token, read from the line itself: a
  // keyword token is two bytes followed by a delimiter or the line's end.
  static int FirstKeyword(std::string_view line) {
    if (line.size() < 2 || (line.size() > 2 && !Delimiters.Contains(line[2]))) return -1;
    return KeywordIndex(line.substr(0, 2));
  }

  // A DP or AT line that holds no delimiter but blanks, the usual case, is
  // read straight from the line: SetFromText collapses runs of blanks and
  // drops a leading one, so the value reads as its tokens joined by single
  // blanks would. Any other line takes the tokens.
  void TakeCoordinateValue(int keyword, std::string_view line) {
    const std::string_view value = line.substr(std::min<std::size_t>(3, line.size()));
    if (keyword == KeywordDP)
      Building.AddBorderPoint(value);
    else
      Building.Pin.SetFromText(value);
  }

  // The tokens after AN joined by single blanks; a second AN line extends
  // the name.
  void TakeName(std::string_view line, const TTokenList& tokens) {
    if (Name.Empty() && line.size() >= LongLine) {
      Name = Reader.TakeBuffer();
      JoinInPlace(Name, tokens);
      return;
    }
    for (std::size_t i = 1; i < tokens.size(); ++i) {
      if (!Name.Empty()) Name.Append(' ');
      Name.Append(tokens[i]);
    }
  }

  // From this length on, a line that starts a name gives it its buffer.
  static constexpr std::size_t LongLine = std::size_t{64} * 1024;

  TAirspaceList& Airspaces;
  TLineReader& Reader;
  TAirspace Building;
  TGrowingText Name;
  bool HadClass = false;
};

// Line numbers beyond the eight hexadecimal digits of the report stay at the largest.
std::uint32_t PlaceOfLine(std::uint64_t line) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(line, UINT32_MAX));
}

void ParseBlocks(TLineReader& reader, TAirspaceList& airspaces) {
  std::string_view line;
  std::string text;
  TTokenList tokens;
  TAirspaceBuilder builder(airspaces, reader);
  bool more = reader.ReadLine(line);
  for (;;) {
    while (more && line.empty()) more = reader.ReadLine(line);  // blank lines between blocks
    if (!more) return;
    builder.Start();
    do {
      builder.Take(line, reader.BlanksOnly(), tokens, text);
      more = reader.ReadLine(line);
    } while (more && !line.empty());
    builder.Complete();
  }
}

}  // namespace

TAirspaceList ParseAirspaces(TStream& stream) {
  TAirspaceList airspaces;
  TLineReader reader(stream);
  try {
    ParseBlocks(reader, airspaces);
  } catch (Exception& error) {
    error.SetPlace(PlaceOfLine(reader.LineNumber()));
    throw;
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory", PlaceOfLine(reader.LineNumber()));
  }
  return airspaces;
}
