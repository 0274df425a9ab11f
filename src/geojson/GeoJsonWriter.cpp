// The collection around the features, with LF line ends on every system so
// that the file has the same bytes everywhere.
#include "geojson/GeoJsonWriter.h"

#include "io/Streams.h"

namespace {

void Put(TStream& stream, std::string_view text) { stream.Write(text.data(), text.size()); }

}  // namespace

TGeoJsonWriter::TGeoJsonWriter(TStream& stream) : Stream(stream) {
  Put(Stream, "{\"type\":\"FeatureCollection\",\"features\":[");
}

void TGeoJsonWriter::Add(std::string_view feature) {
  Put(Stream, First ? "\n" : ",\n");
  Put(Stream, feature);
  First = false;
}

void TGeoJsonWriter::Finish() { Put(Stream, "\n]}\n"); }
