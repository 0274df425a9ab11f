// The airspace model: positions, the airspace record, and the writer of its
// ZRN markup.
#pragma once

#include <cstddef>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Utils.h"

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

// An airspace's values as views, valid while what they view is.
struct TAirspaceView {
  std::string_view AirspaceClass;
  std::string_view Name;
  TGeographicPoint Pin;
  std::span<const TGeographicPoint> Border;

  TAirspaceView(std::string_view airspaceClass, std::string_view name, const TGeographicPoint& pin,
                std::span<const TGeographicPoint> border)
      : AirspaceClass(airspaceClass), Name(name), Pin(pin), Border(border) {}
  TAirspaceView(const TAirspace& airspace)  // NOLINT(google-explicit-constructor): a view of it
      : TAirspaceView(airspace.AirspaceClass, airspace.Name, airspace.Pin, airspace.Border) {}
};

// The airspaces of an input in input order, held compactly, since the whole
// input stays in memory until it is written: one flat record an airspace,
// the points in large shared chunks, the class and name texts in shared
// text chunks. A long text or border moves in rather than being copied, so
// that it is never held twice.
class TAirspaceList {
public:
  // Takes the airspace's class, pin and border, and the name from `name`
  // (the airspace's own is not read); long ones move out of them.
  void Add(TAirspace& airspace, TGrowingText& name);

  std::size_t size() const { return Records.size(); }
  bool empty() const { return Records.empty(); }
  const TAirspaceView& operator[](std::size_t i) const { return Records[i]; }
  auto begin() const { return Records.begin(); }
  auto end() const { return Records.end(); }

private:
  std::string_view StoreText(std::string& text);
  std::string_view StoreName(TGrowingText& name);
  std::span<const TGeographicPoint> StoreBorder(std::vector<TGeographicPoint>& border);

  std::deque<TAirspaceView> Records;  // a deque: no copies as it grows
  std::vector<std::string> TextChunks;
  std::vector<TGrowingText> NameChunks;  // long names, moved in
  std::vector<std::vector<TGeographicPoint>> PointChunks;
};

// The airspace as ZRN markup lines: the opening line, the border and its
// points if there are any, the closing line.
void WriteAirspace(const TAirspaceView& airspace, TStream& stream);
