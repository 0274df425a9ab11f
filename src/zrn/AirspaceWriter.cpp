// The ZRN markup of one airspace: its templates, and point lines written
// straight into the output buffer.
#include "zrn/AirspaceWriter.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "io/Streams.h"
#include "numtext/Hundredths.h"
#include "numtext/NumText.h"
#include "zrn/LineWriter.h"

namespace {

constexpr std::string_view OpeningTemplate = "  <airspace class=\"%s\" name=\"%s\" pin=\"%s\">";
constexpr std::string_view BorderStartTemplate = "    <border>";
constexpr std::string_view PointTemplate = "      <point lat=\"%f\" lon=\"%f\"/>";
constexpr std::string_view BorderEndTemplate = "    </border>";
constexpr std::string_view ClosingTemplate = "  </airspace>";

// The literal parts of a template around its fields, in order.
template <std::size_t Fields>
constexpr std::array<std::string_view, Fields + 1> TemplateParts(std::string_view pattern) {
  std::array<std::string_view, Fields + 1> parts{};
  for (std::size_t i = 0; i < Fields; ++i) {
    const std::size_t field = pattern.find('%');
    parts[i] = pattern.substr(0, field);
    pattern.remove_prefix(field + 2);
  }
  parts[Fields] = pattern;
  return parts;
}
constexpr auto Opening = TemplateParts<3>(OpeningTemplate);

constexpr auto Point = TemplateParts<2>(PointTemplate);

// The longest point line the fast "%f" path makes: the template less its two
// "%f", and two numbers.
constexpr std::size_t MaxPointText = PointTemplate.size() - 4 + 2 * MaxFastText;

// The point line straight into the stream where both numbers take the fast
// "%f" path, the usual case; else false, with nothing written.
[[gnu::always_inline]] inline bool WritePointFast(const TGeographicPoint& point, TStream& stream) {
  THundredths latitude, longitude;
  if (!RoundToHundredthsFast(point.Latitude, latitude) || !RoundToHundredthsFast(point.Longitude, longitude))
    return false;
  const auto fill = [&](auto& out) {
    for (const char c : Point[0]) out.WriteInRoom(c);
    PutHundredths(latitude, out);
    for (const char c : Point[1]) out.WriteInRoom(c);
    PutHundredths(longitude, out);
    for (const char c : Point[2]) out.WriteInRoom(c);
  };
  if (WriteLineInRoom(stream, MaxPointText, fill)) return true;
  // Near the end of the buffer: the line laid out first, then written as any.
  std::array<char, MaxPointText> text;
  TTextCursor out{text.data()};
  fill(out);
  WriteLine(stream, std::string_view(text.data(), static_cast<std::size_t>(out.Cur - text.data())));
  return true;
}

// Inlined in both loops of points.
[[gnu::always_inline]] inline void WritePoint(const TGeographicPoint& point, TStream& stream) {
  if (WritePointFast(point, stream)) return;
  WriteLine(stream,
            {{Point[0]}, {FormatFloat(point.Latitude)}, {Point[1]}, {FormatFloat(point.Longitude)}, {Point[2]}});
}

// The two "%f" texts of a point, each made once: compared by the repeat
// rule, then written.
void PointTexts(const TGeographicPoint& point, std::string& latitude, std::string& longitude) {
  latitude.clear();
  if (!AppendTwoDecimalsFast(latitude, point.Latitude)) latitude = FormatFloat(point.Latitude);
  longitude.clear();
  if (!AppendTwoDecimalsFast(longitude, point.Longitude)) longitude = FormatFloat(point.Longitude);
}

// The points, each written once where its texts repeat the one before it.
std::size_t WritePointsOnce(std::span<const TGeographicPoint> border, TStream& stream) {
  std::size_t written = 0;
  std::string latitude, longitude, lastLatitude, lastLongitude;
  for (const TGeographicPoint& point : border) {
    PointTexts(point, latitude, longitude);
    if (written > 0 && latitude == lastLatitude && longitude == lastLongitude) continue;
    WriteLine(stream, {{Point[0]}, {latitude}, {Point[1]}, {longitude}, {Point[2]}});
    ++written;
    std::swap(latitude, lastLatitude);
    std::swap(longitude, lastLongitude);
  }
  return written;
}

}  // namespace

std::string PinText(const TGeographicPoint& pin) {
  std::string text;
  AppendFormatFixed(text, pin.Latitude, PinPrecision, PinDigits);
  text += ' ';
  AppendFormatFixed(text, pin.Longitude, PinPrecision, PinDigits);
  return text;
}

std::size_t WriteAirspace(const TAirspaceView& airspace, std::span<const TGeographicPoint> border, TStream& stream,
                          TRepeats repeats) {
  WriteLine(stream, {{Opening[0]},
                     {airspace.AirspaceClass, true},
                     {Opening[1]},
                     {airspace.Name, true},
                     {Opening[2]},
                     {PinText(airspace.Pin)},
                     {Opening[3]}});
  std::size_t written = 0;
  if (!border.empty()) {
    WriteLine(stream, BorderStartTemplate);
    if (repeats == TRepeats::Dropped) {
      written = WritePointsOnce(border, stream);
    } else {
      for (const TGeographicPoint& point : border) WritePoint(point, stream);
      written = border.size();
    }
    WriteLine(stream, BorderEndTemplate);
  }
  WriteLine(stream, ClosingTemplate);
  return written;
}
