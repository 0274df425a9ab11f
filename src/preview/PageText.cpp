// Texts made safe for the preview page: a single pass over each, and untouched runs written whole.
#include "preview/PageText.h"

#include "io/Streams.h"

namespace {

// U+2028 and U+2029 in UTF-8: E2 80 A8 and E2 80 A9.
constexpr char SeparatorLead = '\xE2';
bool IsLineSeparatorAt(std::string_view text, std::size_t at) {
  return text.size() - at >= 3 && text[at] == SeparatorLead && text[at + 1] == '\x80' &&
         (text[at + 2] == '\xA8' || text[at + 2] == '\xA9');
}

}  // namespace

std::string HtmlText(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': result += "&amp;"; break;
      case '<': result += "&lt;"; break;
      case '>': result += "&gt;"; break;
      case '"': result += "&quot;"; break;
      case '\'': result += "&#39;"; break;
      default: result += c;
    }
  }
  return result;
}

std::string JsonString(std::string_view text) {
  static constexpr char Hex[] = "0123456789abcdef";
  std::string result;
  result.reserve(text.size() + 2);
  result += '"';
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      result += '\\';
      result += c;
    } else if (c == '\n') {
      result += "\\n";
    } else if (c == '\t') {
      result += "\\t";
    } else if (byte < 0x20 || c == '<') {
      result += "\\u00";
      result += Hex[byte >> 4];
      result += Hex[byte & 15];
    } else if (IsLineSeparatorAt(text, at)) {
      result += text[at + 2] == '\xA8' ? "\\u2028" : "\\u2029";
      at += 2;
    } else {
      result += c;
    }
  }
  result += '"';
  return result;
}

void WriteScriptSafe(TStream& stream, std::string_view json) {
  std::size_t written = 0;  // the bytes before it are out
  for (std::size_t at = 0; at < json.size(); ++at) {
    const char c = json[at];
    if (c != '<' && c != SeparatorLead) [[likely]]
      continue;
    std::string_view escape;
    std::size_t length = 1;
    if (c == '<') {
      escape = "\\u003c";
    } else if (IsLineSeparatorAt(json, at)) {
      escape = json[at + 2] == '\xA8' ? "\\u2028" : "\\u2029";
      length = 3;
    } else {
      continue;  // another character from U+2000 to U+2FFF
    }
    stream.Write(json.data() + written, at - written);
    stream.Write(escape.data(), escape.size());
    written = at + length;
    at = written - 1;
  }
  stream.Write(json.data() + written, json.size() - written);
}
