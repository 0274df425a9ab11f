// The ZRN markup of one airspace: its templates, and point lines written
// straight into the output buffer.
#include "zrn/AirspaceWriter.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "io/Streams.h"
#include "limits/LimitsText.h"
#include "numtext/FixedDigits.h"
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

// The fast "%f" path of a number with Digits digits: rounded to a value
// that its text follows from, then written. Equal values, equal texts.
template <typename TValue>
bool SameValue(TValue a, TValue b) {
  return a.Count == b.Count && a.Negative == b.Negative;
}
template <int Digits>
struct TFastNumber {
  using TValue = TScaled;
  static constexpr std::size_t MaxText = MaxDigitsText<Digits>;
  [[gnu::always_inline]] static bool Round(double value, TValue& rounded) {
    return RoundToDigitsFast<Digits>(value, rounded);
  }
  template <typename TCursor>
  [[gnu::always_inline]] static void Put(TValue value, TCursor& out) {
    PutScaled<Digits>(value, out);
  }
};
template <>
struct TFastNumber<FloatDigits> {
  using TValue = THundredths;
  static constexpr std::size_t MaxText = MaxFastText;
  [[gnu::always_inline]] static bool Round(double value, TValue& rounded) {
    return RoundToHundredthsFast(value, rounded);
  }
  template <typename TCursor>
  [[gnu::always_inline]] static void Put(TValue value, TCursor& out) {
    PutHundredths(value, out);
  }
};

// The point lines of one number of digits.
template <int Digits>
class TPointWriter {
  using TFast = TFastNumber<Digits>;
  using TValue = typename TFast::TValue;
  // The longest point line of the fast path: the template less its two
  // "%f", and two numbers.
  static constexpr std::size_t MaxPointText = PointTemplate.size() - 4 + 2 * TFast::MaxText;

public:
  // The line of two numbers that take the fast path, straight into the stream.
  [[gnu::always_inline]] static void WriteFast(TValue latitude, TValue longitude, TStream& stream) {
    const auto fill = [&](auto& out) __attribute__((always_inline)) {
      for (const char c : Point[0]) out.WriteInRoom(c);
      TFast::Put(latitude, out);
      for (const char c : Point[1]) out.WriteInRoom(c);
      TFast::Put(longitude, out);
      for (const char c : Point[2]) out.WriteInRoom(c);
    };
    if (WriteLineInRoom(stream, MaxPointText, fill)) return;
    // Near the end of the buffer: the line laid out first, then written as any.
    std::array<char, MaxPointText> text;
    TTextCursor out{text.data()};
    fill(out);
    WriteLine(stream, std::string_view(text.data(), static_cast<std::size_t>(out.Cur - text.data())));
  }
  static void WriteSlow(std::string_view latitude, std::string_view longitude, TStream& stream) {
    WriteLine(stream, {{Point[0]}, {latitude}, {Point[1]}, {longitude}, {Point[2]}});
  }
  static std::string SlowText(double value) { return FormatFixed(value, FloatPrecision, Digits); }
  // The one choice of path: the fast one where both numbers take it.
  [[gnu::always_inline]] static bool RoundFast(const TGeographicPoint& point, TValue& latitude, TValue& longitude) {
    return TFast::Round(point.Latitude, latitude) && TFast::Round(point.Longitude, longitude);
  }

  // Every point of the border.
  static void WriteAll(std::span<const TGeographicPoint> border, TStream& stream) {
    for (const TGeographicPoint& point : border) {
      TValue latitude, longitude;
      if (RoundFast(point, latitude, longitude)) {
        WriteFast(latitude, longitude, stream);
      } else {
        WriteSlow(SlowText(point.Latitude), SlowText(point.Longitude), stream);
      }
    }
  }

  // The points, each written once where its texts repeat the one before it.
  static std::size_t WriteOnce(std::span<const TGeographicPoint> border, TStream& stream) {
    std::size_t written = 0;
    TTexts previous, current;
    for (const TGeographicPoint& point : border) {
      current.Make(point);
      if (written > 0 && current.SameAs(previous)) continue;
      current.Write(stream);
      ++written;
      std::swap(previous, current);
    }
    return written;
  }

private:
  // A point's two texts, made once, for the repeat rule and the line: as
  // fast values where both take the fast path, else as texts.
  class TTexts {
  public:
    void Make(const TGeographicPoint& point) {
      Fast = RoundFast(point, Latitude, Longitude);
      LatitudeText.clear();
      LongitudeText.clear();
      if (!Fast) {
        LatitudeText = SlowText(point.Latitude);
        LongitudeText = SlowText(point.Longitude);
      }
    }
    bool SameAs(TTexts& other) {
      if (Fast && other.Fast) return SameValue(Latitude, other.Latitude) && SameValue(Longitude, other.Longitude);
      MakeTexts();
      other.MakeTexts();
      return LatitudeText == other.LatitudeText && LongitudeText == other.LongitudeText;
    }
    void Write(TStream& stream) const {
      if (Fast) return WriteFast(Latitude, Longitude, stream);
      WriteSlow(LatitudeText, LongitudeText, stream);
    }

  private:
    // The texts of the fast values, where one of two points compared has
    // none: only where the other was not served by the fast path.
    void MakeTexts() {
      if (!Fast || !LatitudeText.empty()) return;
      std::array<char, TFast::MaxText> text;
      TTextCursor out{text.data()};
      TFast::Put(Latitude, out);
      LatitudeText.assign(text.data(), out.Cur);
      out.Cur = text.data();
      TFast::Put(Longitude, out);
      LongitudeText.assign(text.data(), out.Cur);
    }
    bool Fast = false;
    TValue Latitude{}, Longitude{};
    std::string LatitudeText, LongitudeText;  // empty until made
  };
};

template <int Digits>
std::size_t WritePoints(std::span<const TGeographicPoint> border, TStream& stream, TRepeats repeats) {
  if (repeats == TRepeats::Dropped) return TPointWriter<Digits>::WriteOnce(border, stream);
  TPointWriter<Digits>::WriteAll(border, stream);
  return border.size();
}

// The points with the format's digits, each number of digits its own
// instance, so that its divisions are by constants.
std::size_t WritePoints(std::span<const TGeographicPoint> border, TStream& stream, TWriteFormat format) {
  static_assert(MinPointDigits == 2 && MaxPointDigits == 11, "one case for each number of digits");
  switch (format.Digits) {
    case 3: return WritePoints<3>(border, stream, format.Repeats);
    case 4: return WritePoints<4>(border, stream, format.Repeats);
    case 5: return WritePoints<5>(border, stream, format.Repeats);
    case 6: return WritePoints<6>(border, stream, format.Repeats);
    case 7: return WritePoints<7>(border, stream, format.Repeats);
    case 8: return WritePoints<8>(border, stream, format.Repeats);
    case 9: return WritePoints<9>(border, stream, format.Repeats);
    case 10: return WritePoints<10>(border, stream, format.Repeats);
    case 11: return WritePoints<11>(border, stream, format.Repeats);
    default: return WritePoints<2>(border, stream, format.Repeats);
  }
}

}  // namespace

std::string PinText(const TGeographicPoint& pin) {
  std::string text;
  AppendFormatFixed(text, pin.Latitude, PinPrecision, PinDigits);
  text += ' ';
  AppendFormatFixed(text, pin.Longitude, PinPrecision, PinDigits);
  return text;
}

namespace {

// The floor and ceiling after the name, where they are asked for.
std::string LimitsAfterName(const TAirspace& airspace, TWriteFormat format) {
  if (!format.Limits || airspace.Details == nullptr) return {};
  return LimitsText(airspace.Name.empty(), airspace.Details->Floor, airspace.Details->Ceiling);
}

}  // namespace

std::size_t WriteAirspace(const TDrawnAirspace& drawn, TStream& stream, TWriteFormat format) {
  const TAirspace& airspace = drawn.Airspace();
  const std::span<const TGeographicPoint> border = drawn.Border();
  WriteLine(stream, {{Opening[0]},
                     {airspace.AirspaceClass, true},
                     {Opening[1]},
                     {airspace.Name, true},
                     {LimitsAfterName(airspace, format), true},
                     {Opening[2]},
                     {PinText(drawn.Pin())},
                     {Opening[3]}});
  std::size_t written = 0;
  if (!border.empty()) {
    WriteLine(stream, BorderStartTemplate);
    written = WritePoints(border, stream, format);
    WriteLine(stream, BorderEndTemplate);
  }
  WriteLine(stream, ClosingTemplate);
  return written;
}
