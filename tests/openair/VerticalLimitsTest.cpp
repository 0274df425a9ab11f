// AL and AH values read as vertical limits: every form and its normalised
// text, and texts of no form kept as written.
#include <gtest/gtest.h>

#include <string>

#include "openair/VerticalLimits.h"

namespace {

using TKind = TVerticalLimit::TKind;

TEST(VerticalLimitTest, FormsAndTheirTexts) {
  const struct {
    const char* Value;
    TKind Kind;
    const char* Text;
    const char* Number;
    bool Metres, AboveGround;
  } cases[] = {
      {" GND", TKind::Ground, "GND", "", false, true},
      {" sfc", TKind::Ground, "GND", "", false, true},
      {" Ground", TKind::Ground, "GND", "", false, true},
      {" SURFACE", TKind::Ground, "GND", "", false, true},
      {" UNL", TKind::Unlimited, "UNL", "", false, false},
      {" unltd", TKind::Unlimited, "UNL", "", false, false},
      {" UNLIM", TKind::Unlimited, "UNL", "", false, false},
      {" UNLIMITED", TKind::Unlimited, "UNL", "", false, false},
      {" UNL FT", TKind::Unlimited, "UNL", "", false, false},
      {" FL65", TKind::FlightLevel, "FL65", "65", false, false},
      {" FL 065", TKind::FlightLevel, "FL65", "65", false, false},
      {" fl195", TKind::FlightLevel, "FL195", "195", false, false},
      {" 1500 ft AMSL", TKind::Height, "1500FT", "1500", false, false},
      {" 2000ft AGL", TKind::Height, "2000FT AGL", "2000", false, true},
      {" 500 M MSL", TKind::Height, "500M", "500", true, false},
      {" 1000F", TKind::Height, "1000FT", "1000", false, false},
      {" 00.5M", TKind::Height, "0.5M", "0.5", true, false},
      {" 1500.0FT", TKind::Height, "1500.0FT", "1500.0", false, false},
      {" 0 AMSL", TKind::Height, "0FT", "0", false, false},
      {" 0500", TKind::Height, "500FT", "500", false, false},
      {" 1000 MSL", TKind::Height, "1000FT", "1000", false, false},  // the M of MSL is no unit
      {" 1500 AMSL FT", TKind::Height, "1500FT", "1500", false, false},
      {" 1000ft GND", TKind::Height, "1000FT AGL", "1000", false, true},  // above the ground, not at it
      {" 300 meters asfc", TKind::Height, "300M AGL", "300", true, true},
      {" 3000 FEET ALT", TKind::Height, "3000FT", "3000", false, false},
      {" 150 metres\tAGND", TKind::Height, "150M AGL", "150", true, true},
      {" 0 ft AGL", TKind::Ground, "GND", "", false, true},
      {" NOTAM", TKind::Unreadable, "NOTAM", "", false, false},
      {" FL65 (MNM ALT 5500FT)", TKind::Unreadable, "FL65 (MNM ALT 5500FT)", "", false, false},
      {" 1000ft/6500ft AGL/AMSL ", TKind::Unreadable, "1000ft/6500ft AGL/AMSL", "", false, false},
      {" .5 FT", TKind::Unreadable, ".5 FT", "", false, false},
      {" 5. FT", TKind::Unreadable, "5. FT", "", false, false},
      {" FL", TKind::Unreadable, "FL", "", false, false},
      {" \t ", TKind::None, "", "", false, false},
  };
  for (const auto& c : cases) {
    const TVerticalLimit limit = ReadVerticalLimit(c.Value);
    EXPECT_EQ(limit.Kind, c.Kind) << c.Value;
    EXPECT_EQ(limit.Text, c.Text) << c.Value;
    EXPECT_EQ(limit.Number, c.Number) << c.Value;
    EXPECT_EQ(limit.Metres, c.Metres) << c.Value;
    EXPECT_EQ(limit.AboveGround, c.AboveGround) << c.Value;
  }
}

}  // namespace
