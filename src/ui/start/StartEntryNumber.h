#pragma once
#include <string_view>

namespace fl3 {

// The number a lives or time entry holds: an optional sign, digits and at
// most one decimal point, blanks around it allowed. Anything else (an empty
// entry, letters, "inf", exponents) counts as 0, so the start checks explain
// the problem with their own messages.
double EntryNumber(std::string_view text);

}  // namespace fl3
