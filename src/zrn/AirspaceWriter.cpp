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

// The point line of two numbers that take the fast "%f" path, straight into
// the stream.
[[gnu::always_inline]] inline void WriteFastPoint(THundredths latitude, THundredths longitude, TStream& stream) {
  const auto fill = [&](auto& out) {
    for (const char c : Point[0]) out.WriteInRoom(c);
    PutHundredths(latitude, out);
    for (const char c : Point[1]) out.WriteInRoom(c);
    PutHundredths(longitude, out);
    for (const char c : Point[2]) out.WriteInRoom(c);
  };
  if (WriteLineInRoom(stream, MaxPointText, fill)) return;
  // Near the end of the buffer: the line laid out first, then written as any.
  std::array<char, MaxPointText> text;
  TTextCursor out{text.data()};
  fill(out);
  WriteLine(stream, std::string_view(text.data(), static_cast<std::size_t>(out.Cur - text.data())));
}

void WriteSlowPoint(std::string_view latitude, std::string_view longitude, TStream& stream) {
  WriteLine(stream, {{Point[0]}, {latitude}, {Point[1]}, {longitude}, {Point[2]}});
}

// Inlined in the loop of points.
[[gnu::always_inline]] inline void WritePoint(const TGeographicPoint& point, TStream& stream) {
  THundredths latitude, longitude;
  if (RoundToHundredthsFast(point.Latitude, latitude) && RoundToHundredthsFast(point.Longitude, longitude))
    return WriteFastPoint(latitude, longitude, stream);
  WriteSlowPoint(FormatFloat(point.Latitude), FormatFloat(point.Longitude), stream);
}

// A point's two "%f" texts, made once, for the repeat rule and the line: as
// hundredths where both take the fast path (the same hundredths, the same
// text), else as texts.
class TPointTexts {
public:
  void Make(const TGeographicPoint& point) {
    Fast = RoundToHundredthsFast(point.Latitude, Latitude) && RoundToHundredthsFast(point.Longitude, Longitude);
    LatitudeText.clear();
    LongitudeText.clear();
    if (!Fast) {
      LatitudeText = FormatFloat(point.Latitude);
      LongitudeText = FormatFloat(point.Longitude);
    }
  }
  bool SameAs(TPointTexts& other) {
    if (Fast && other.Fast) return Same(Latitude, other.Latitude) && Same(Longitude, other.Longitude);
    MakeTexts();
    other.MakeTexts();
    return LatitudeText == other.LatitudeText && LongitudeText == other.LongitudeText;
  }
  void Write(TStream& stream) const {
    if (Fast) return WriteFastPoint(Latitude, Longitude, stream);
    WriteSlowPoint(LatitudeText, LongitudeText, stream);
  }

private:
  static bool Same(THundredths a, THundredths b) { return a.Count == b.Count && a.Negative == b.Negative; }
  // The texts of the hundredths, where one of two points compared has none:
  // only a value near 1000 against one above it.
  void MakeTexts() {
    if (!Fast || !LatitudeText.empty()) return;
    std::array<char, 2 * MaxFastText> text;
    TTextCursor out{text.data()};
    PutHundredths(Latitude, out);
    LatitudeText.assign(text.data(), out.Cur);
    out.Cur = text.data();
    PutHundredths(Longitude, out);
    LongitudeText.assign(text.data(), out.Cur);
  }
  bool Fast = false;
  THundredths Latitude{}, Longitude{};
  std::string LatitudeText, LongitudeText;  // empty until made
};

// The points, each written once where its texts repeat the one before it.
std::size_t WritePointsOnce(std::span<const TGeographicPoint> border, TStream& stream) {
  std::size_t written = 0;
  TPointTexts previous, current;
  for (const TGeographicPoint& point : border) {
    current.Make(point);
    if (written > 0 && current.SameAs(previous)) continue;
    current.Write(stream);
    ++written;
    std::swap(previous, current);
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
