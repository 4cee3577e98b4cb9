#pragma once
#include <optional>
#include <string>

namespace fl3 {

// Why no window can be opened here, or nothing when one can. Asked before Qt
// starts: Qt itself aborts without a display, with a core dump and no word
// the player can act on.
std::optional<std::string> MissingDisplay();

}  // namespace fl3
