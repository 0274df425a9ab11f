// The GeoJSON file (RFC 7946): a FeatureCollection of the airspaces
// written, one Feature to a line.
#pragma once

#include <string_view>

class TStream;

class TGeoJsonWriter {
public:
  // Writes the collection's opening.
  explicit TGeoJsonWriter(TStream& stream);
  // One Feature object's text (TFeatureMaker).
  void Add(std::string_view feature);
  // The collection's end.
  void Finish();

private:
  TStream& Stream;
  bool First = true;
};
