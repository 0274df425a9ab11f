// Feature texts: the properties as JSON strings in UTF-8, the rings from the
// point texts the ZRN has (cut points made alike).
#include "geojson/FeatureText.h"

#include <cstdio>

#include "base/Text.h"
#include "geojson/Rings.h"
#include "numtext/NumText.h"
#include "numtext/PointText.h"

std::string_view TFeatureMaker::Feature(const TDrawnAirspace& drawn) {
  Out.assign(R"({"type":"Feature","properties":{)");
  AppendProperties(drawn);
  Out += R"(},"geometry":)";
  MakePointTexts(drawn.Border());
  AppendGeometry();
  Out += '}';
  return Out;
}

std::string_view TFeatureMaker::LatitudeOf(const TPointText& t) const {
  return std::string_view(Arena).substr(t.Start, t.Middle - t.Start);
}
std::string_view TFeatureMaker::LongitudeOf(const TPointText& t) const {
  return std::string_view(Arena).substr(t.Middle, t.End - t.Middle);
}

// The points' texts, those repeating the one before left out where the
// format says so, and the last left out where it repeats the first: the
// ring is closed when written.
void TFeatureMaker::MakePointTexts(std::span<const TGeographicPoint> border) {
  Arena.clear();
  Texts.clear();
  Kept.clear();
  const auto same = [&](const TPointText& a, const TPointText& b) {
    return LatitudeOf(a) == LatitudeOf(b) && LongitudeOf(a) == LongitudeOf(b);
  };
  for (const TGeographicPoint& point : border) {
    const auto start = static_cast<std::uint32_t>(Arena.size());
    AppendPointNumber(Arena, point.Latitude, Format.Digits);
    const auto middle = static_cast<std::uint32_t>(Arena.size());
    AppendPointNumber(Arena, point.Longitude, Format.Digits);
    const TPointText text{start, middle, static_cast<std::uint32_t>(Arena.size())};
    if (Format.DropRepeats && !Texts.empty() && same(text, Texts.back())) {
      Arena.resize(start);
      continue;
    }
    Texts.push_back(text);
    Kept.push_back(point);
  }
  if (Texts.size() > 1 && same(Texts.front(), Texts.back())) {
    Texts.pop_back();
    Kept.pop_back();
  }
}

void TFeatureMaker::AppendProperties(const TDrawnAirspace& drawn) {
  const TAirspace& airspace = drawn.Airspace();
  const TAirspaceDetails* details = airspace.Details;
  const auto text = [&](const char* key, std::string_view value, bool upperCased) {
    Out += '"', Out += key, Out += "\":";
    AppendText(value, upperCased);
    Out += ',';
  };
  const auto optional = [&](const char* key, std::string_view value) {
    if (!value.empty()) return text(key, value, false);
    Out += '"', Out += key, Out += "\":null,";
  };
  text("name", airspace.Name, true);
  text("class", airspace.AirspaceClass, true);
  optional("type", details != nullptr ? details->Type : std::string_view());
  optional("floor", details != nullptr ? std::string_view(details->Floor.Text) : std::string_view());
  optional("ceiling", details != nullptr ? std::string_view(details->Ceiling.Text) : std::string_view());
  Out += "\"line\":" + std::to_string(airspace.ClassLine) + ",\"label\":";
  if (!drawn.PinPlaced()) {
    Out += "null";
    return;
  }
  Out += '[';
  AppendFormatFixed(Out, drawn.Pin().Longitude, PinPrecision, PinDigits);
  Out += ',';
  AppendFormatFixed(Out, drawn.Pin().Latitude, PinPrecision, PinDigits);
  Out += ']';
}

void TFeatureMaker::AppendGeometry() {
  if (Texts.size() < 3) {
    Out += "null";
    return;
  }
  const std::vector<TRing> rings = GeoJsonRings(Kept);
  Out += rings.size() == 1 ? R"({"type":"Polygon","coordinates":)" : R"({"type":"MultiPolygon","coordinates":[)";
  for (std::size_t r = 0; r < rings.size(); ++r) {
    Out += r == 0 ? "[[" : ",[[";
    const TRing& ring = rings[r];
    for (std::size_t i = 0; i <= ring.size(); ++i) {  // the first again at the end
      const TRingVertex& vertex = ring[i % ring.size()];
      if (i > 0) Out += ',';
      if (vertex.Point != TRingVertex::NoPoint) {
        AppendPosition(LongitudeOf(Texts[vertex.Point]), LatitudeOf(Texts[vertex.Point]));
        continue;
      }
      Scratch.clear();
      AppendPointNumber(Scratch, vertex.X, Format.Digits);
      const std::size_t middle = Scratch.size();
      AppendPointNumber(Scratch, vertex.Y, Format.Digits);
      const std::string_view cut = Scratch;
      AppendPosition(cut.substr(0, middle), cut.substr(middle));
    }
    Out += "]]";
  }
  Out += rings.size() == 1 ? "}" : "]}";
}

void TFeatureMaker::AppendPosition(std::string_view longitude, std::string_view latitude) {
  Out += '[';
  Out += longitude;
  Out += ',';
  Out += latitude;
  Out += ']';
}

// A JSON string of the input's bytes in UTF-8: quotes, backslashes and
// control characters escaped.
void TFeatureMaker::AppendText(std::string_view bytes, bool upperCased) {
  Scratch.clear();
  AppendAsUtf8(Scratch, upperCased ? std::string_view(UpperCase(bytes)) : bytes, Format.Encoding);
  Out += '"';
  for (const char c : Scratch) {
    if (c == '"' || c == '\\') {
      Out += '\\', Out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      Out += escaped;
    } else {
      Out += c;
    }
  }
  Out += '"';
}
