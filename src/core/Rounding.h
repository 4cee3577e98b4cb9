#pragma once
#include <cstdint>

namespace fl3 {

// Every fractional value in the game becomes a whole number this way:
// nearest whole number, a half going to the even neighbour (12.5 -> 12, 13.5 -> 14).
// Values beyond the 32-bit range are clamped to it; NaN gives 0.
std::int32_t RoundHalfEven(double value);

}  // namespace fl3
