// The preview page written as it goes: the head at once, each airspace's Feature as it comes, the findings at the end.
#include "preview/PageWriter.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "io/Streams.h"
#include "preview/PageAssets.h"
#include "preview/PageText.h"

namespace {

using PageAssets::TSlot;

void Write(TStream& stream, std::string_view text) { stream.Write(text.data(), text.size()); }

// The page's pieces from `next` on, the title and the tiles filled in where
// their slots come, up to the piece after which `until` comes (to the end
// without one).
void WritePiecesUpTo(TStream& stream, std::size_t& next, std::optional<TSlot> until, std::string_view title,
                     std::string_view tiles) {
  while (next < std::size(PageAssets::Pieces)) {
    const PageAssets::TPiece& piece = PageAssets::Pieces[next++];
    Write(stream, piece.Text);
    if (piece.Then == until) return;
    if (piece.Then == TSlot::Title) Write(stream, title);
    if (piece.Then == TSlot::Tiles) Write(stream, tiles);
  }
}

// Degrees to a micro-degree (about 10 cm), the same digits on every system.
void WriteDegrees(std::string& out, double degrees) {
  std::array<char, 32> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), degrees, std::chars_format::fixed, 6);
  out.append(text.data(), result.ptr);
}

}  // namespace

TPageWriter::TPageWriter(TStream& stream, std::string_view title, std::string_view tiles)
    : Stream(stream), Title(HtmlText(title)), Tiles(tiles.empty() ? "null" : JsonString(tiles)) {
  WritePiecesUpTo(Stream, NextPiece, TSlot::Features, Title, Tiles);
}

void TPageWriter::Add(std::string_view feature, TLineSpan lines, std::optional<TGeographicPoint> place) {
  if (!Airspaces.empty()) Write(Stream, ",\n");
  WriteScriptSafe(Stream, feature);
  Airspaces.push_back({lines, place});
}

std::optional<std::size_t> TPageWriter::AirspaceAt(std::uint64_t line, std::span<const std::size_t> byFirst) const {
  if (line == 0) return std::nullopt;
  // The last airspace that starts at or before the line, if it reaches it.
  const auto after = std::upper_bound(byFirst.begin(), byFirst.end(), line,
                                      [this](std::uint64_t l, std::size_t i) { return l < Airspaces[i].Lines.First; });
  if (after == byFirst.begin()) return std::nullopt;
  const std::size_t index = *(after - 1);
  if (line > Airspaces[index].Lines.Last) return std::nullopt;
  return index;
}

void TPageWriter::Finish(std::span<const TPageFinding> findings) {
  WritePiecesUpTo(Stream, NextPiece, TSlot::Findings, Title, Tiles);
  // The airspaces by their first line: in file order already, unless the caller reordered them.
  std::vector<std::size_t> byFirst(Airspaces.size());
  for (std::size_t i = 0; i < byFirst.size(); ++i) byFirst[i] = i;
  std::stable_sort(byFirst.begin(), byFirst.end(), [this](std::size_t a, std::size_t b) {
    return Airspaces[a].Lines.First < Airspaces[b].Lines.First;
  });
  std::string out;
  for (const TPageFinding& finding : findings) {
    out.clear();
    if (&finding != findings.data()) out += ",\n";
    out += "{\"line\":";
    out += std::to_string(finding.Line);
    out += finding.Error ? ",\"error\":true" : ",\"error\":false";
    out += ",\"text\":";
    out += JsonString(finding.Text);
    const std::optional<std::size_t> airspace = AirspaceAt(finding.Line, byFirst);
    const TPlaced* placed = airspace ? &Airspaces[*airspace] : nullptr;
    out += ",\"airspace\":";
    out += airspace ? std::to_string(*airspace) : "null";
    out += ",\"at\":";
    if (placed != nullptr && placed->Place) {
      out += '[';
      WriteDegrees(out, placed->Place->Latitude);
      out += ',';
      WriteDegrees(out, placed->Place->Longitude);
      out += ']';
    } else {
      out += "null";
    }
    out += '}';
    Write(Stream, out);
  }
  WritePiecesUpTo(Stream, NextPiece, std::nullopt, Title, Tiles);
}
