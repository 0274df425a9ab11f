// Point numbers by the ZRN writer's two paths, one instance per number of
// digits so that the divisions are by constants.
#include "numtext/PointText.h"

#include <array>

#include "numtext/FixedDigits.h"
#include "numtext/Hundredths.h"
#include "numtext/NumText.h"

namespace {

template <int Digits>
void AppendNumber(std::string& text, double value) {
  std::array<char, MaxDigitsText<Digits>> fast;
  TTextCursor out{fast.data()};
  if constexpr (Digits == FloatDigits) {
    static_assert(MaxFastText <= MaxDigitsText<FloatDigits>);
    THundredths hundredths;
    if (!RoundToHundredthsFast(value, hundredths)) return AppendFormatFixed(text, value, FloatPrecision, Digits);
    PutHundredths(hundredths, out);
  } else {
    TScaled scaled;
    if (!RoundToDigitsFast<Digits>(value, scaled)) return AppendFormatFixed(text, value, FloatPrecision, Digits);
    PutScaled<Digits>(scaled, out);
  }
  text.append(fast.data(), out.Cur);
}

}  // namespace

void AppendPointNumber(std::string& text, double value, int digits) {
  static_assert(MinPointDigits == 2 && MaxPointDigits == 11, "one case for each number of digits");
  switch (digits) {
    case 3: return AppendNumber<3>(text, value);
    case 4: return AppendNumber<4>(text, value);
    case 5: return AppendNumber<5>(text, value);
    case 6: return AppendNumber<6>(text, value);
    case 7: return AppendNumber<7>(text, value);
    case 8: return AppendNumber<8>(text, value);
    case 9: return AppendNumber<9>(text, value);
    case 10: return AppendNumber<10>(text, value);
    case 11: return AppendNumber<11>(text, value);
    default: return AppendNumber<2>(text, value);
  }
}
