// Coordinate texts: ReadPoint either reads a position or fails with the
// number failure or the overflow of a sum, and leaves the point as it was; the pin text and the "%f"
// texts always have their exact form.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "base/Errors.h"
#include "model/GeographicPoint.h"
#include "numtext/NumText.h"
#include "openair/CoordinateText.h"
#include "zrn/AirspaceWriter.h"

namespace {

bool IsSpecial(std::string_view text) {
  return text == "INF" || text == "-INF" || text == "NAN" || text.find('E') != std::string_view::npos;
}

// ‹-?D+.DDD› with exactly `digits` digits after the point.
void CheckFixed(std::string_view text, std::size_t digits) {
  if (IsSpecial(text)) return;
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos || text.size() - point - 1 != digits) std::abort();
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i != point && !(text[i] >= '0' && text[i] <= '9') && !(i == 0 && text[i] == '-')) std::abort();
}

// The one-pass reader of the usual forms reads what it serves as the full scan does.
void CheckUsualForm(std::string_view text) {
  TCoordinates usual{12.5, -7.25};
  try {
    if (!ReadUsualCoordinateText(text, usual)) return;
  } catch (const EOverflow&) {
    try {
      ScanCoordinateText(text);
    } catch (const EOverflow&) {
      return;
    }
    std::abort();
  }
  const TCoordinates scanned = ScanCoordinateText(text);
  if (std::memcmp(&usual, &scanned, sizeof usual) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The fuzzer's own bytes, exactly sized: a read past their end is reported.
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckUsualForm(text);
  TGeographicPoint point;
  try {
    point = ReadPoint(text);
  } catch (const EConvertError& error) {
    if (error.Message().find("' is not a valid floating point value") == std::string::npos) std::abort();
    return 0;
  } catch (const EOverflow&) {
    return 0;
  }
  const std::string pin = PinText(point);
  const std::size_t blank = pin.find(' ');
  if (blank == std::string::npos) std::abort();
  CheckFixed(std::string_view(pin).substr(0, blank), PinDigits);
  CheckFixed(std::string_view(pin).substr(blank + 1), PinDigits);
  CheckFixed(FormatFloat(point.Latitude), FloatDigits);
  CheckFixed(FormatFloat(point.Longitude), FloatDigits);
  return 0;
}
