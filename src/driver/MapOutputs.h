// The outputs beside the ZRN that draw a map, the GeoJSON file and the
// preview page, fed the same Feature of each airspace as it is written.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "geodesy/Draw.h"
#include "geojson/FeatureText.h"
#include "geojson/GeoJsonWriter.h"
#include "model/Finding.h"
#include "preview/PageWriter.h"

class TAirspaceList;
class TStream;

// Where the map outputs go: each a stream, or none.
struct TMapStreams {
  TStream* GeoJson = nullptr;
  TStream* Preview = nullptr;
  std::string_view Title;  // the page's: the input's name
  std::string_view Tiles;  // the page's tile URL template, or none

  bool Any() const { return GeoJson != nullptr || Preview != nullptr; }
};

// The input's texts taken as UTF-8 where those of every airspace to be
// written are, otherwise as Windows-1252, the usual 8-bit encoding of
// published files.
TEncoding GuessedEncoding(const TAirspaceList& airspaces);

class TMapOutputs {
public:
  TMapOutputs(const TMapStreams& streams, TFeatureFormat format);
  // One airspace as written to the ZRN.
  void Add(const TDrawnAirspace& drawn);
  // The findings of the run, in line order, then the outputs' ends.
  void Finish(std::span<const TFinding> findings);

private:
  TFeatureMaker Features;
  TEncoding Encoding;
  std::optional<TGeoJsonWriter> GeoJson;
  std::optional<TPageWriter> Page;
};
