// The preview page: one self-contained HTML file that draws the converted airspaces and the run's findings on a map.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/GeographicPoint.h"  // struct TGeographicPoint { double Latitude, Longitude; } (see the file)
class TStream;                      // src/io/Streams.h

// A finding of the run for the page: its input line (0: of the file as a whole), whether it is an error, its text in
// UTF-8.
struct TPageFinding {
  std::uint64_t Line = 0;
  bool Error = false;
  std::string Text;
};
// The input lines an airspace spans, first and last, for placing its findings.
struct TLineSpan {
  std::uint64_t First = 0;
  std::uint64_t Last = 0;
};
class TPageWriter {
public:
  // title: the input file's name (UTF-8); tiles: a tile URL template or empty. Writes the page's head (Leaflet, the
  // base map).
  TPageWriter(TStream& stream, std::string_view title, std::string_view tiles);
  // One airspace: its GeoJSON Feature object text (UTF-8, complete JSON object with "type":"Feature", a "geometry"
  // that is a Polygon, MultiPolygon or null, and "properties" with "name","class","type","floor","ceiling" (strings
  // or null),"line" (number),"label" ([lon,lat] or null)), the lines it spans, and where its findings are marked (its
  // label, else its first border point; none where it has no points).
  void Add(std::string_view feature, TLineSpan lines, std::optional<TGeographicPoint> place);
  // The findings (in line order), then the page's end. A finding is marked at the place of the airspace whose span
  // holds its line.
  void Finish(std::span<const TPageFinding> findings);

private:
  // What is kept of an airspace once its text is written: where its findings go.
  struct TPlaced {
    TLineSpan Lines;
    std::optional<TGeographicPoint> Place;
  };
  // The airspace whose span holds the line, as its index; none for line 0 or a line between airspaces.
  std::optional<std::size_t> AirspaceAt(std::uint64_t line, std::span<const std::size_t> byFirst) const;

  TStream& Stream;
  std::string Title;
  std::string Tiles;
  std::size_t NextPiece = 0;
  std::vector<TPlaced> Airspaces;
};
