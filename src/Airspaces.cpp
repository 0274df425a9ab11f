#include "Airspaces.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Utils.h"
#include "numtext/NumText.h"
#include "platform/Streams.h"

// --- TGeographicPoint ---

namespace {

constexpr char DegreeSign = static_cast<char>(176);
constexpr int SlotCount = 6;
constexpr int FirstLongitudeSlot = 4;

bool InRange(double value, double limit) { return value >= -limit && value <= limit; }

// Pass 1, one byte at a time: runs of blanks collapse and a leading blank
// goes; a double quote or a comma becomes a blank, an apostrophe or the
// degree sign a ":"; letters are upper-cased. ‹50°30'15" n› becomes
// ‹50:30:15  N›. False when the byte adds nothing to the normalised text.
bool NormaliseCoordinateByte(char c, char previous, char& normalised) {
  if (c == ' ') {
    normalised = ' ';
    return previous != ' ';
  }
  if (c == '"' || c == ',')
    normalised = ' ';
  else if (c == '\'' || c == DegreeSign)
    normalised = ':';
  else
    normalised = UpperCaseChar(c);
  return true;
}

// Pass 2: numbers fill six slots in order, latitude's D M S then
// longitude's. Accepted forms, all with or without blanks before the letters:
//   D:M:S N D:M:S E      ‹50:30:15 N 014:20:30 E›
//   D:M.mmm N D:M.mmm E  ‹45:15.531 N 006:18.333 E›
//   D.ddd N D.ddd E      ‹50.5 N 14.25 E›
// A latitude letter after some latitude number moves on to the longitude, so
// the shorter forms land in the right slots.
class TCoordinateScanner {
public:
  // Pass 2 takes the normalised text byte by byte, as pass 1 makes it.
  void Take(char c) {
    if ((c >= '0' && c <= '9') || c == '-' || c == '.') [[likely]] {
      Pending += c;
    } else if (c == ':') {
      StorePending();
    } else if (c == ' ') {
      if (!Pending.empty()) StorePending();
    } else if (c == 'N' || c == 'S') {
      MoveToLongitude();
      LatitudeHemisphere = c;
    } else if (c == 'E' || c == 'W') {
      LongitudeHemisphere = c;
    }
  }

  void Finish() {
    if (!Pending.empty()) StorePending();
  }

  double Latitude() const { return WithHemisphere(Degrees(0), LatitudeHemisphere == 'S', LatitudeHemisphere); }
  double Longitude() const { return WithHemisphere(Degrees(3), LongitudeHemisphere == 'W', LongitudeHemisphere); }

private:
  // Converts even an empty text, which fails: ‹50::00› is invalid.
  void StorePending() {
    const double number = TextToNumber(Pending);
    if (Slot <= SlotCount) Slots[Slot - 1] = number;  // a seventh number has no place
    ++Slot;
    Pending.clear();
  }

  void MoveToLongitude() {
    const bool latitudeSeen = Slot > 1 || !Pending.empty();
    if (Slot >= FirstLongitudeSlot || !latitudeSeen) return;
    if (!Pending.empty()) StorePending();
    Slot = FirstLongitudeSlot;
  }

  // (minutes / 60 + degrees) + seconds / 3600, in extended precision, rounded once.
  double Degrees(int first) const {
    const long double degrees = static_cast<long double>(Slots[first]);
    const long double minutes = static_cast<long double>(Slots[first + 1]);
    const long double seconds = static_cast<long double>(Slots[first + 2]);
    return static_cast<double>((minutes / 60 + degrees) + seconds / 3600);
  }

  static double WithHemisphere(double value, bool negative, char letter) {
    if (letter == 0) return value;
    return negative ? -std::fabs(value) : std::fabs(value);
  }

  std::array<double, SlotCount> Slots{};
  int Slot = 1;
  std::string Pending;
  char LatitudeHemisphere = 0;
  char LongitudeHemisphere = 0;
};

}  // namespace

TGeographicPoint::TGeographicPoint(double latitude, double longitude)
    : Latitude(InRange(latitude, 90) ? latitude : 0), Longitude(InRange(longitude, 180) ? longitude : 0) {}

void TGeographicPoint::SetFromText(std::string_view text) {
  TCoordinateScanner scanner;
  char previous = ' ';
  for (const char c : text) {
    char normalised;
    if (NormaliseCoordinateByte(c, previous, normalised)) scanner.Take(normalised);
    previous = c;
  }
  scanner.Finish();
  Latitude = scanner.Latitude();
  Longitude = scanner.Longitude();
}

std::string TGeographicPoint::AsPinText() const {
  std::string text;
  AppendFormatFixed(text, Latitude, PinPrecision, PinDigits);
  text += ' ';
  AppendFormatFixed(text, Longitude, PinPrecision, PinDigits);
  return text;
}

// --- TAirspace ---

void TAirspace::AddBorderPoint(std::string_view text) {
  TGeographicPoint point;
  point.SetFromText(text);
  Border.push_back(point);
}

void TAirspace::ReleaseBorder() { std::vector<TGeographicPoint>().swap(Border); }

// --- The markup writer ---

namespace {

constexpr std::string_view OpeningTemplate = "  <airspace class=\"%s\" name=\"%s\" pin=\"%s\">";
constexpr std::string_view BorderStartTemplate = "    <border>";
constexpr std::string_view PointTemplate = "      <point lat=\"%f\" lon=\"%f\"/>";
constexpr std::string_view BorderEndTemplate = "    </border>";
constexpr std::string_view ClosingTemplate = "  </airspace>";

// The template into `line`, each "%s" replaced by the next text and each
// "%f" by the next number in the "%f" conversion.
class TTemplateLine {
public:
  TTemplateLine(std::string& line, std::string_view pattern) : Line(line), Rest(pattern) { Line.clear(); }
  TTemplateLine& Text(std::string_view text) { return Field(text); }
  TTemplateLine& Float(double value) {
    Copy();
    AppendFormatFixed(Line, value, FloatPrecision, FloatDigits);
    SkipField();
    return *this;
  }
  void WriteTo(TStream& stream) {
    Line.append(Rest);
    WriteLine(stream, Line);
  }

private:
  TTemplateLine& Field(std::string_view text) {
    Copy();
    Line.append(text);
    SkipField();
    return *this;
  }
  // The template up to its next field.
  void Copy() {
    const std::size_t field = std::min(Rest.find('%'), Rest.size());
    Line.append(Rest.substr(0, field));
    Rest.remove_prefix(field);
  }
  void SkipField() { Rest.remove_prefix(std::min<std::size_t>(2, Rest.size())); }

  std::string& Line;
  std::string_view Rest;
};

}  // namespace

void WriteAirspace(const TAirspace& airspace, TStream& stream) {
  std::string line;
  TTemplateLine(line, OpeningTemplate)
      .Text(UpperCase(airspace.AirspaceClass))
      .Text(UpperCase(airspace.Name))
      .Text(airspace.Pin.AsPinText())
      .WriteTo(stream);
  if (!airspace.Border.empty()) {
    WriteLine(stream, BorderStartTemplate);
    for (const TGeographicPoint& point : airspace.Border)
      TTemplateLine(line, PointTemplate).Float(point.Latitude).Float(point.Longitude).WriteTo(stream);
    WriteLine(stream, BorderEndTemplate);
  }
  WriteLine(stream, ClosingTemplate);
}
