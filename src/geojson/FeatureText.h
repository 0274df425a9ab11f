// One drawn airspace as a GeoJSON Feature, the text both the GeoJSON file
// and the preview page take.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geodesy/Draw.h"
#include "geojson/Encodings.h"

// How features are written: the points' digits and repeat rule as the ZRN
// has them, and the encoding of the input's texts.
struct TFeatureFormat {
  int Digits = 2;            // 2 to 11
  bool DropRepeats = false;  // a point whose texts repeat the one before it is left out
  TEncoding Encoding = TEncoding::Utf8;
};

// Makes the Feature texts, one airspace at a time, keeping its scratch from
// one to the next.
class TFeatureMaker {
public:
  explicit TFeatureMaker(TFeatureFormat format) : Format(format) {}

  // The Feature object: properties name and class (upper-cased as the ZRN
  // has them), type, floor, ceiling (as --limits writes each; null where
  // none), line (the AC line), label ([lon, lat] of a placed pin, else
  // null); a Polygon, a MultiPolygon where the border crosses 180°, or null
  // geometry under 3 points. Valid until the next call.
  std::string_view Feature(const TDrawnAirspace& drawn);

  // The points the last feature's border has, as the ZRN writes them.
  std::size_t Points() const { return Texts.size(); }

private:
  // A point's two texts in Arena: latitude [Start, Middle), longitude [Middle, End).
  struct TPointText {
    std::uint32_t Start, Middle, End;
  };
  std::string_view LatitudeOf(const TPointText& t) const;
  std::string_view LongitudeOf(const TPointText& t) const;
  void MakePointTexts(std::span<const TGeographicPoint> border);
  void AppendProperties(const TDrawnAirspace& drawn);
  void AppendGeometry();
  void AppendText(std::string_view bytes, bool upperCased = false);
  void AppendPosition(std::string_view longitude, std::string_view latitude);

  TFeatureFormat Format;
  std::string Out;
  std::string Arena;
  std::vector<TPointText> Texts;
  std::vector<TGeographicPoint> Kept;  // the points of Texts
  std::string Scratch;
};
