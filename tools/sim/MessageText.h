#pragma once
#include <string>
#include <string_view>

namespace fl3::sim {

// A name as a one-line message may echo it: control characters shown as '?'
// and anything past `kLongestEchoedName` bytes cut off behind "...".
inline constexpr std::size_t kLongestEchoedName = 80;
std::string EchoedName(std::string_view name);

// The text with every quoted part treated as EchoedName treats a name.
std::string WithEchoedNames(std::string_view text);

}  // namespace fl3::sim
