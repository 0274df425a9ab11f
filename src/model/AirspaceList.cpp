// The airspace list's storage: texts and points copied into shared chunks,
// long ones moved in as chunks of their own.
#include "model/AirspaceList.h"

#include <algorithm>
#include <utility>

namespace {

// Chunk sizes: large enough that their overhead vanishes, small enough that
// the unused end of the last one does not count. A text or border of at
// least a quarter chunk gets a chunk of its own.
constexpr std::size_t TextChunkSize = std::size_t{64} * 1024;
constexpr std::size_t PointChunkSize = std::size_t{64} * 1024;  // 1 MiB of points
constexpr std::size_t OwnChunk = 4;                             // a quarter

bool HasRoom(const TGrowingText& chunk, std::size_t size) { return chunk.Capacity() - chunk.Size() >= size; }

}  // namespace

std::string_view TAirspaceList::CopyText(std::string_view text) {
  if (TextChunks.empty() || !HasRoom(TextChunks.back(), text.size())) {
    TGrowingText& chunk = TextChunks.emplace_back();
    chunk.Reserve(std::max(TextChunkSize, text.size()));  // never grown beyond: what is stored stays where it is
    chunk.Clear();
  }
  TGrowingText& chunk = TextChunks.back();
  const std::size_t start = chunk.Size();
  chunk.Append(text);
  return chunk.View().substr(start);
}

std::string_view TAirspaceList::StoreName(TGrowingText& name) {
  if (name.Size() < TextChunkSize / OwnChunk) return CopyText(name.View());
  return TextChunks.emplace_back(std::move(name)).View();
}

std::span<const TGeographicPoint> TAirspaceList::StoreBorder(std::vector<TGeographicPoint>& border) {
  if (border.size() >= PointChunkSize / OwnChunk) {
    const auto& chunk = PointChunks.emplace_back(std::exchange(border, {}));
    return {chunk.data(), chunk.size()};
  }
  if (PointChunks.empty() || PointChunks.back().capacity() - PointChunks.back().size() < border.size()) {
    PointChunks.emplace_back().reserve(PointChunkSize);  // never grown beyond, likewise
  }
  auto& chunk = PointChunks.back();
  const std::size_t start = chunk.size();
  chunk.insert(chunk.end(), border.begin(), border.end());
  return {chunk.data() + start, border.size()};
}

void TAirspaceList::Add(TAirspace& airspace) {
  const std::string_view airspaceClass = CopyText(airspace.AirspaceClass);
  const std::string_view name = StoreName(airspace.Name);
  Records.emplace_back(airspaceClass, name, airspace.Pin, StoreBorder(airspace.Border));
}
