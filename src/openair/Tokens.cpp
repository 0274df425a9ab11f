// Tokens joined from where they stand in the line.
#include "openair/Tokens.h"

#include <cstring>

#include "openair/Delimiters.h"

namespace {

const char* SkipDelimiters(const char* c, const char* end) {
  while (c != end && Delimiters.Contains(*c)) ++c;
  return c;
}

const char* SkipToken(const char* c, const char* end) {
  while (c != end && !Delimiters.Contains(*c)) ++c;
  return c;
}

}  // namespace

std::size_t JoinTokens(std::string_view rest, bool afterText, char* out) {
  char* const start = out;
  const char* c = rest.data();
  const char* const end = c + rest.size();
  bool text = afterText;
  while (c != end) {  // each pass: the delimiters before a token, which writes a blank at most, and the token
    const char* const token = SkipDelimiters(c, end);
    c = SkipToken(token, end);
    if (text) *out++ = ' ';
    const auto length = static_cast<std::size_t>(c - token);
    std::memmove(out, token, length);
    out += length;
    text = text || length > 0;
  }
  return static_cast<std::size_t>(out - start);
}

std::string JoinTokens(std::string_view rest) {
  std::string text(rest.size(), '\0');
  text.resize(JoinTokens(rest, false, text.data()));
  return text;
}

std::string_view FirstToken(std::string_view rest) {
  const char* const end = rest.data() + rest.size();
  const char* const token = SkipDelimiters(rest.data(), end);
  return {token, static_cast<std::size_t>(SkipToken(token, end) - token)};
}
