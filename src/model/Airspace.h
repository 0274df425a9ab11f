// One airspace as the reader builds it, and a view of one as the list keeps
// it.
#pragma once

#include <string>
#include <string_view>

#include "io/GrowingText.h"
#include "model/Border.h"
#include "model/GeographicPoint.h"
#include "model/VerticalLimit.h"

// One airspace: its class, its name, its label position (0/0 where none was
// given), its border, and its floor and ceiling where they are read. The
// name is a growing text, so that a name of many megabytes can take over the
// line that holds it.
class TAirspace {
public:
  std::string AirspaceClass;
  TGrowingText Name;
  TGeographicPoint Pin;
  TBorder Border;
  TVerticalLimit Floor;
  TVerticalLimit Ceiling;

  TAirspace() = default;
  explicit TAirspace(std::string_view name) { Name.Append(name); }
};

// An airspace's values as views, valid while what they view is.
struct TAirspaceView {
  std::string_view AirspaceClass;
  std::string_view Name;
  TGeographicPoint Pin;
  TBorderView Border;

  TAirspaceView(std::string_view airspaceClass, std::string_view name, const TGeographicPoint& pin,
                const TBorderView& border)
      : AirspaceClass(airspaceClass), Name(name), Pin(pin), Border(border) {}
  TAirspaceView(const TAirspace& airspace)  // NOLINT(google-explicit-constructor): a view of it
      : TAirspaceView(airspace.AirspaceClass, airspace.Name.View(), airspace.Pin, airspace.Border.View()) {}
};
