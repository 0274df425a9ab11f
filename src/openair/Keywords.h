// The record keywords of OpenAir, each with its kind: the one table that the
// reader, the OpenAir check and the findings look keywords up in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// What a record is, by its keyword.
enum class TRecordKind : std::uint8_t {
  None,        // no keyword of OpenAir
  Class,       // AC
  Name,        // AN
  Pin,         // AT
  Floor,       // AL
  Ceiling,     // AH
  Type,        // AY
  Point,       // DP
  Variable,    // V
  Arc,         // DA
  ArcBetween,  // DB
  Circle,      // DC
  Unused,      // a record of OpenAir that nothing reads: AF, AG, DY, SP, SB
};

struct TKeyword {
  std::string_view Text;  // one or two capitals
  TRecordKind Kind;
};
constexpr std::array<TKeyword, 16> Keywords = {{
    {"AC", TRecordKind::Class},
    {"AN", TRecordKind::Name},
    {"AT", TRecordKind::Pin},
    {"AL", TRecordKind::Floor},
    {"AH", TRecordKind::Ceiling},
    {"AY", TRecordKind::Type},
    {"DP", TRecordKind::Point},
    {"V", TRecordKind::Variable},
    {"DA", TRecordKind::Arc},
    {"DB", TRecordKind::ArcBetween},
    {"DC", TRecordKind::Circle},
    {"AF", TRecordKind::Unused},
    {"AG", TRecordKind::Unused},
    {"DY", TRecordKind::Unused},
    {"SP", TRecordKind::Unused},
    {"SB", TRecordKind::Unused},
}};
constexpr std::size_t MaxKeywordLength = 2;

// Records of later extensions of OpenAir that the table leaves out (an input
// starting with them is no OpenAir by its first line), known all the same:
// read and ignored without a warning.
constexpr std::array<std::string_view, 3> KnownUnlisted = {"AA", "AI", "AX"};

// The kind of the token's keyword, without regard to case; None for any
// other token.
TRecordKind KindOfKeyword(std::string_view token);

// The kind of the keyword that a line's first token is, and the first
// token's length where it is one or two bytes. The line is not empty and does
// not start with a delimiter, as the reader returns it.
struct TLineKeyword {
  TRecordKind Kind;
  std::size_t Length;
};
TLineKeyword LineKeyword(std::string_view line);
