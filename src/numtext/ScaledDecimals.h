// Exact comparison of decimal texts multiplied by whole factors, as heights
// in feet and metres are compared: no double rounds either side.
#pragma once

#include <cstdint>
#include <string_view>

// The sign of a x factorA - b x factorB: -1, 0 or 1. `a` and `b` are
// digits, optionally "." and digits; the factors are at most 10^9.
// Whole numbers of up to 9 digits take a fast path in 64-bit integers.
int CompareScaled(std::string_view a, std::uint32_t factorA, std::string_view b, std::uint32_t factorB);
// The same by the digits always.
int CompareScaledDigits(std::string_view a, std::uint32_t factorA, std::string_view b, std::uint32_t factorB);
