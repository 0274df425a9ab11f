// The airspace list's storage: texts and points copied into shared chunks,
// long ones moved in as chunks of their own; points, arcs and line runs
// likewise.
#include "model/AirspaceList.h"

#include <algorithm>
#include <utility>

namespace {

// Chunk sizes: large enough that their overhead vanishes, small enough that
// the unused end of the last one does not count. A text or border of at
// least a quarter chunk gets a chunk of its own.
constexpr std::size_t TextChunkSize = std::size_t{64} * 1024;
constexpr std::size_t OwnChunk = 4;  // a quarter

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

template <typename T, std::size_t ChunkSize>
std::span<const T> TAirspaceList::TChunks<T, ChunkSize>::Store(std::vector<T>& items) {
  if (items.empty()) return {};
  if (items.size() >= ChunkSize / OwnChunk) {
    const auto& chunk = Chunks.emplace_back(std::exchange(items, {}));
    return {chunk.data(), chunk.size()};
  }
  if (Chunks.empty() || Chunks.back().capacity() - Chunks.back().size() < items.size()) {
    Chunks.emplace_back().reserve(ChunkSize);  // never grown beyond, likewise
  }
  auto& chunk = Chunks.back();
  const std::size_t start = chunk.size();
  chunk.insert(chunk.end(), items.begin(), items.end());
  return {chunk.data() + start, items.size()};
}

// The first run of lines is held in the record, the later ones, which most
// borders lack, in chunks.
TBorderView TAirspaceList::StoreBorder(TBorder& border) {
  TBorderView view{PointChunks.Store(border.Points)};
  if (!border.Lines.empty()) {
    view.FirstLine = border.Lines.front().FirstLine;
    border.Lines.erase(border.Lines.begin());
    view.LaterLines = LineChunks.Store(border.Lines);
  }
  return view;
}

const TAirspaceDetails* TAirspaceList::StoreDetails(const TAirspaceDraft& draft, std::span<const TArc> arcs) {
  if (!draft.HasDetails) return nullptr;
  constexpr std::size_t DetailsChunkSize = 256;
  if (DetailChunks.empty() || DetailChunks.back().size() == DetailsChunkSize)
    DetailChunks.emplace_back().reserve(DetailsChunkSize);
  TAirspaceDetails& details = DetailChunks.back().emplace_back(draft.Details);
  details.Arcs = arcs;
  details.Type = CopyText(draft.Type);
  return &details;
}

void TAirspaceList::Add(TAirspaceDraft& draft) {
  TAirspace& airspace = Records.emplace_back(draft.Airspace);
  airspace.AirspaceClass = CopyText(draft.Class);
  airspace.Name = StoreName(draft.Name);
  airspace.Border = StoreBorder(draft.Border);
  airspace.Details = StoreDetails(draft, ArcChunks.Store(draft.Border.Arcs));
}
