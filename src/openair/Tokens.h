// The tokens of a record's value: the rest of its line after the keyword,
// cut at runs of delimiters, read where they stand with no token list.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The tokens of `rest` joined by single blanks, written from `out` on; each
// token after a blank where `afterText` or an earlier token gave text, so
// that a name extends as its tokens come. `rest` is what follows a line's
// first token: empty, or starting with a delimiter. A line ending in a
// delimiter has an empty last token, which adds a blank after text. Returns
// the bytes written, at most rest.size(); `out` may lie in rest's buffer at
// or before rest.data(), as when a line is joined where it stands.
std::size_t JoinTokens(std::string_view rest, bool afterText, char* out);

// The same, as a text of its own.
std::string JoinTokens(std::string_view rest);

// The first token of `rest`, empty where `rest` holds only delimiters.
std::string_view FirstToken(std::string_view rest);
