// One airspace as the parser builds it, and a view of one as the list keeps
// it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/GrowingText.h"
#include "model/GeographicPoint.h"

// One airspace: the values of its AC, AN and AT records and one border point
// per DP record. The name is a growing text, so that a name of many
// megabytes can take over the line that holds it.
class TAirspace {
public:
  std::string AirspaceClass;
  TGrowingText Name;
  TGeographicPoint Pin;
  std::vector<TGeographicPoint> Border;

  // Create: empty class, the given name, pin at 0/0, empty border.
  TAirspace() = default;
  explicit TAirspace(std::string_view name) { Name.Append(name); }

  // A point read from the coordinate text, appended to the border; nothing
  // is appended if the text fails.
  void AddBorderPoint(std::string_view text);
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
      : TAirspaceView(airspace.AirspaceClass, airspace.Name.View(), airspace.Pin, airspace.Border) {}
};
