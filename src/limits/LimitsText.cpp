// The limits' text: two limits and a hyphen.
#include "limits/LimitsText.h"

#include <string_view>

std::string LimitsText(bool nameEmpty, const TVerticalLimit& floor, const TVerticalLimit& ceiling) {
  using TKind = TVerticalLimit::TKind;
  if (floor.Kind == TKind::None && ceiling.Kind == TKind::None) return {};
  const auto text = [](const TVerticalLimit& limit) -> std::string_view {
    if (limit.Kind == TKind::None) return "?";
    return limit.Text;  // not through ?:, whose std::string would be a temporary
  };
  std::string limits(nameEmpty ? "" : " ");
  return limits.append(text(floor)).append("-").append(text(ceiling));
}
