// Texts made safe for the preview page: HTML text, JSON strings, and JSON copied into a <script> element.
#pragma once

#include <string>
#include <string_view>

class TStream;

// The text with & < > " ' as character references, for HTML text and attribute values.
std::string HtmlText(std::string_view text);

// The text as a JSON string with its quotes, also safe inside a <script> element (see ScriptSafe).
std::string JsonString(std::string_view text);

// Writes JSON text into a <script> element unchanged in meaning: each < as \u003c, which can only stand inside a
// string there, so that neither "</script" nor "<!--" reaches the HTML parser; U+2028 and U+2029 as \u escapes,
// which older script engines take for line ends inside strings.
void WriteScriptSafe(TStream& stream, std::string_view json);
