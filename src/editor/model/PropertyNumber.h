#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace fl3 {

// A number as the property boxes accept it: blanks around an optional sign,
// decimal digits with at most one decimal point and at least one digit, and
// an optional exponent (E or e, optional sign, digits). The value is rounded
// half to even; a number whose rounded value does not fit 32 bits counts as
// no number at all, like every other form (hexadecimal, separators, ...).
std::optional<std::int32_t> ParsePropertyNumber(std::string_view text);

}  // namespace fl3
