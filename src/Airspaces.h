// The airspace model: positions, the airspace record, and the writer of its
// ZRN markup.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TStream;

// A position in decimal degrees, north and east positive.
class TGeographicPoint {
public:
  double Latitude = 0;
  double Longitude = 0;

  TGeographicPoint() = default;
  // Create: a latitude outside -90..90 or a longitude outside -180..180
  // (or one that is not a number) is stored as 0.
  TGeographicPoint(double latitude, double longitude);

  // Replaces both fields by the position the OpenAir coordinate text gives;
  // no range check. Raises EConvertError for an invalid number, leaving the
  // point unchanged.
  void SetFromText(std::string_view text);
  // The two ways it reads: the usual forms in one pass, false with the point
  // unchanged for any other text; and the full scan of every form.
  bool SetFromUsualText(std::string_view text);
  void SetFromTextByScanning(std::string_view text);

  // ‹LAT LON›, each fixed point with 11 decimals from 15 significant digits.
  std::string AsPinText() const;
};

// One airspace: the values of its AC, AN and AT records and one border point
// per DP record. It owns its pin and its points.
class TAirspace {
public:
  std::string AirspaceClass;
  std::string Name;
  TGeographicPoint Pin;
  std::vector<TGeographicPoint> Border;

  // Create: empty class, the given name, pin at 0/0, empty border.
  explicit TAirspace(std::string name = {}) : Name(std::move(name)) {}

  // A point read from the coordinate text, appended to the border; nothing
  // is appended if the text fails.
  void AddBorderPoint(std::string_view text);

  // Releases every border point and the border's storage.
  void ReleaseBorder();
};

// The airspace as ZRN markup lines: the opening line, the border and its
// points if there are any, the closing line.
void WriteAirspace(const TAirspace& airspace, TStream& stream);
