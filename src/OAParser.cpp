#include "OAParser.h"

#include "Errors.h"
#include "Utils.h"
#include "platform/Streams.h"

namespace {
constexpr char CR = 13;
constexpr char LF = 10;
}  // namespace

bool TLineReader::ReadLine(std::string& line) {
  for (;;) {
    line.clear();
    bool keep = false;
    bool comment = false;
    bool endOfInput = false;
    for (;;) {
      char c;
      if (Stream.Read(&c, 1) == 0) {
        endOfInput = true;
        break;
      }
      const bool breakPart = c == LF && LastWasCR;  // the LF of a CR LF
      LastWasCR = c == CR;
      if (!Delimiters.Contains(c)) keep = true;
      if (c == CommentChar) {
        keep = false;
        if (line.empty()) comment = true;
      }
      if (keep && !LineBreakChars.Contains(c)) line += c;
      if (c == CR || (c == LF && !breakPart)) break;
    }
    if (comment) {
      line.clear();
      if (!endOfInput) continue;
    }
    return !(endOfInput && line.empty());
  }
}

void SplitTokens(std::string_view line, TTokenList& tokens) {
  tokens.clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (!Delimiters.Contains(line[i])) continue;
    if (i > start) tokens.emplace_back(line.substr(start, i - start));
    start = i + 1;
  }
  tokens.emplace_back(line.substr(start));
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

int KeywordIndex(std::string_view token) {
  const std::string upper = UpperCase(token);
  for (std::size_t i = 0; i < Keywords.size(); ++i)
    if (upper == Keywords[i]) return static_cast<int>(i) + 1;
  return -1;
}

namespace {

// One record's effect on the airspace of its block.
void ApplyRecord(TAirspace& airspace, const TTokenList& tokens) {
  switch (KeywordIndex(tokens[0])) {
    case KeywordAC:
      if (tokens.size() < 2) throw EStringListError("List index out of bounds (1)");
      airspace.AirspaceClass = tokens[1];
      break;
    case KeywordAN:
      // A second AN line extends the name.
      for (std::size_t i = 1; i < tokens.size(); ++i) {
        if (!airspace.Name.empty()) airspace.Name += ' ';
        airspace.Name += tokens[i];
      }
      break;
    case KeywordAT: airspace.Pin.SetFromText(JoinTokens(tokens, 1, 0)); break;
    case KeywordDP: airspace.AddBorderPoint(JoinTokens(tokens, 1, 0)); break;
    default: break;  // AL, AH and every other record: arcs, circles, variables
  }
}

}  // namespace

TAirspaceList ParseAirspaces(TStream& stream) {
  TAirspaceList airspaces;
  TLineReader reader(stream);
  std::string line;
  TTokenList tokens;
  bool more = reader.ReadLine(line);
  for (;;) {
    while (more && line.empty()) more = reader.ReadLine(line);  // blank lines between blocks
    if (!more) return airspaces;
    auto airspace = std::make_unique<TAirspace>();
    do {
      SplitTokens(line, tokens);
      ApplyRecord(*airspace, tokens);
      more = reader.ReadLine(line);
    } while (more && !line.empty());
    airspaces.push_back(std::move(airspace));
  }
}
