// What the start of a file is, before it is read as OpenAir: the one
// recogniser for the input and for an existing output.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How much of a file's start tells its kind.
constexpr std::size_t FileKindBytes = std::size_t{64} * 1024;

enum class TFileKind {
  Text,     // bytes of an 8-bit or UTF-8 text
  Utf16LE,  // UTF-16, low byte first: a byte-order mark FF FE, or a first line of NULs at every odd place
  Utf16BE,  // UTF-16, high byte first: FE FF, or NULs at every even place
  Gzip,     // 1F 8B
  Zip,      // PK 03 04
  Binary,   // more than 5 % of bytes 00 to 08 and 0E to 1F, which no text holds
};

// The kind of a file whose first bytes (up to FileKindBytes) are `start`.
// A first line tells UTF-16 without a byte-order mark where it holds at
// least 8 bytes, its line end and trailing NULs aside.
TFileKind KindOfStart(std::string_view start);

// UTF-16 text's code units as bytes, a unit above 255 as "?", the
// byte-order mark dropped: enough to tell its records. Other text as it is.
std::string NarrowedText(std::string_view start, TFileKind kind);
