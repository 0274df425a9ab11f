// A position: range-checked creation, coordinate texts, the pin text.
#include "model/GeographicPoint.h"

#include "numtext/NumText.h"
#include "openair/CoordinateText.h"

namespace {

bool InRange(double value, double limit) { return value >= -limit && value <= limit; }

}  // namespace

TGeographicPoint::TGeographicPoint(double latitude, double longitude)
    : Latitude(InRange(latitude, 90) ? latitude : 0), Longitude(InRange(longitude, 180) ? longitude : 0) {}

void TGeographicPoint::SetFromText(std::string_view text) {
  const TCoordinates coordinates = ReadCoordinateText(text);
  Latitude = coordinates.Latitude;
  Longitude = coordinates.Longitude;
}

std::string TGeographicPoint::AsPinText() const {
  std::string text;
  AppendFormatFixed(text, Latitude, PinPrecision, PinDigits);
  text += ' ';
  AppendFormatFixed(text, Longitude, PinPrecision, PinDigits);
  return text;
}
