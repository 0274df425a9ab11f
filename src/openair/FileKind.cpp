// The kinds of file start: marks first, then UTF-16 by its first line, then
// the share of control bytes.
#include "openair/FileKind.h"

#include <algorithm>
#include <cstdint>

namespace {

bool StartsWith(std::string_view start, std::string_view mark) { return start.substr(0, mark.size()) == mark; }

// The first line, to its LF, without its line end and trailing NULs: UTF-16
// ends a line with CR LF in two-byte units, which leave NULs around them.
std::string_view FirstLine(std::string_view start) {
  std::string_view line = start.substr(0, start.find('\n'));
  while (!line.empty() && (line.back() == '\r' || line.back() == '\0')) line.remove_suffix(1);
  return line;
}

// Whether every byte at the places of the parity is NUL, and some other is not.
bool NulsAt(std::string_view line, std::size_t parity) {
  bool text = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (i % 2 == parity && line[i] != '\0') return false;
    text = text || (i % 2 != parity && line[i] != '\0');
  }
  return text;
}

// Bytes 00 to 08 and 0E to 1F, counted without a branch, so that the loop
// runs in vector steps over the 64 KiB.
std::size_t ControlBytes(std::string_view start) {
  static_assert(FileKindBytes < UINT32_MAX, "the count fits 32 bits");
  std::uint32_t count = 0;
  for (const char c : start) {
    const auto byte = static_cast<unsigned char>(c);
    count += static_cast<std::uint32_t>((byte <= 0x08) | (static_cast<unsigned char>(byte - 0x0E) <= 0x1F - 0x0E));
  }
  return count;
}

// 5 %: a text of any language holds none of these bytes, random or
// compressed bytes hold about 11 %.
constexpr std::size_t ControlPercent = 5;

}  // namespace

TFileKind KindOfStart(std::string_view start) {
  start = start.substr(0, FileKindBytes);
  if (StartsWith(start, "\xFF\xFE")) return TFileKind::Utf16LE;
  if (StartsWith(start, "\xFE\xFF")) return TFileKind::Utf16BE;
  if (StartsWith(start, "\x1F\x8B")) return TFileKind::Gzip;
  if (StartsWith(start, std::string_view("PK\x03\x04", 4))) return TFileKind::Zip;
  constexpr std::size_t MinUtf16Line = 8;
  if (const std::string_view line = FirstLine(start); line.size() >= MinUtf16Line) {
    if (NulsAt(line, 1)) return TFileKind::Utf16LE;
    if (NulsAt(line, 0)) return TFileKind::Utf16BE;
  }
  if (ControlBytes(start) * 100 > start.size() * ControlPercent) return TFileKind::Binary;
  return TFileKind::Text;
}

std::string NarrowedText(std::string_view start, TFileKind kind) {
  if (kind != TFileKind::Utf16LE && kind != TFileKind::Utf16BE) return std::string(start);
  if (StartsWith(start, "\xFF\xFE") || StartsWith(start, "\xFE\xFF")) start.remove_prefix(2);
  const std::size_t low = kind == TFileKind::Utf16LE ? 0 : 1;
  std::string narrowed;
  narrowed.reserve(start.size() / 2);
  for (std::size_t i = 0; i + 1 < start.size(); i += 2) narrowed += start[i + 1 - low] == '\0' ? start[i + low] : '?';
  return narrowed;
}
