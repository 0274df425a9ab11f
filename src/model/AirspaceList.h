// The airspaces of an input, held compactly until they are written.
#pragma once

#include <cstddef>
#include <deque>
#include <span>
#include <string_view>
#include <vector>

#include "io/GrowingText.h"
#include "model/Airspace.h"
#include "model/AirspaceDraft.h"

// The complete airspaces in input order, since the whole input stays in
// memory until it is written: one flat record an airspace, the points in
// large shared chunks, the texts in shared text chunks, the details apart
// where an airspace has any. A long name or border moves in rather than
// being copied, so that it is never held twice. The records view into
// chunks whose bytes never move: a chunk is filled only within the room it
// was given, and a moved TGrowingText or std::vector keeps its buffer where
// it was (which std::string does not promise), so the chunk lists may grow.
class TAirspaceList {
public:
  // Takes the draft's airspace; what is long moves out of the draft.
  void Add(TAirspaceDraft& draft);

  std::size_t size() const { return Records.size(); }
  bool empty() const { return Records.empty(); }
  const TAirspace& operator[](std::size_t i) const { return Records[i]; }
  auto begin() const { return Records.begin(); }
  auto end() const { return Records.end(); }

private:
  std::string_view CopyText(std::string_view text);
  std::string_view StoreName(TGrowingText& name);
  TBorderView StoreBorder(TBorder& border);
  const TAirspaceDetails* StoreDetails(const TAirspaceDraft& draft, std::span<const TArc> arcs);

  // Items of one kind in chunks of at least ChunkSize items.
  template <typename T, std::size_t ChunkSize>
  struct TChunks {
    std::vector<std::vector<T>> Chunks;
    std::span<const T> Store(std::vector<T>& items);
  };

  std::deque<TAirspace> Records;                            // a deque: no copies as it grows
  std::vector<std::vector<TAirspaceDetails>> DetailChunks;  // each filled within its room, likewise
  std::vector<TGrowingText> TextChunks;
  TChunks<TGeographicPoint, std::size_t{64} * 1024> PointChunks;  // 1 MiB of points
  TChunks<TArc, 1024> ArcChunks;
  TChunks<TLineRun, 4096> LineChunks;
};
