// The airspace record's one operation of its own: a border point from its text.
#include "model/Airspace.h"

void TAirspace::AddBorderPoint(std::string_view text) {
  TGeographicPoint point;
  point.SetFromText(text);
  Border.push_back(point);
}
