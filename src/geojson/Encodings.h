// The input's 8-bit texts as UTF-8, for the outputs that are Unicode: the
// encodings a published OpenAir file is found in, the same tables on every
// platform.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

enum class TEncoding { Utf8, Windows1250, Windows1252, Iso8859_1, Iso8859_2, Iso8859_15 };

// The names --encoding takes, in any case, in the order --help lists them.
constexpr std::array<std::string_view, 6> EncodingNames = {"utf-8",      "windows-1250", "windows-1252",
                                                           "iso-8859-1", "iso-8859-2",   "iso-8859-15"};

std::optional<TEncoding> EncodingNamed(std::string_view name);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// code points above U+10FFFF).
bool IsUtf8(std::string_view bytes);

// The bytes in the encoding, appended as UTF-8. A byte an 8-bit table leaves
// undefined stands for the C1 control of its number; a byte of malformed
// UTF-8 becomes U+FFFD.
void AppendAsUtf8(std::string& out, std::string_view bytes, TEncoding encoding);
