// An airspace's floor or ceiling, as its AL or AH record gave it.
#pragma once

#include <string>

// One vertical limit. Heights are exact decimals as written (digits, and a
// fraction where one was written), in feet or metres, above sea level or
// above the ground.
struct TVerticalLimit {
  enum class TKind {
    None,         // no record with a value
    Ground,       // the surface: 0 above the ground
    Unlimited,    // above everything
    FlightLevel,  // Number hundreds of feet
    Height,       // Number feet or metres
    Unreadable,   // a text of no form above: shown, never compared
  };
  TKind Kind = TKind::None;
  std::string Number;  // FlightLevel and Height: digits, "." and digits, no leading zeros
  bool Metres = false;
  bool AboveGround = false;
  std::string Text;  // the normalised text ("FL65", "2000FT AGL"), or the text as written
};
